#include "platform/qt/window_builder.h"

#include "platform/qt/edit_box.h"
#include "platform/qt/fonts.h"
#include "platform/qt/picture_box.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QScreen>

#include <string>

namespace vantrel::platform {

namespace {

QColor toColor(Rgb rgb) {
  return QColor(int((rgb >> 16) & 0xFF), int((rgb >> 8) & 0xFF), int(rgb & 0xFF));
}

Qt::WindowFlags windowFlagsFor(FrameStyle frame) {
  // No maximise button: the frame is fixed.
  const Qt::WindowFlags common =
      Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
      Qt::WindowCloseButtonHint;
  switch (frame) {
  case FrameStyle::ToolWindow:
    return Qt::Tool | common;
  case FrameStyle::Normal:
    break;
  }
  return Qt::Window | common | Qt::WindowMinimizeButtonHint;
}

// Digits only, so that a box can never hold a text that is not a number:
// no sign, no blanks. The length limit is the box's own.
void makeEditBox(EditBox& box, const ControlLayout& control) {
  box.setText(qtText(control.caption));
  if (control.maxLength > 0) box.setMaxLength(control.maxLength);
  box.setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), &box));
  box.setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
  box.setFrame(true);
  box.setContextMenuPolicy(Qt::DefaultContextMenu);

  QPalette palette = box.palette();
  palette.setColor(QPalette::Base, Qt::white);
  palette.setColor(QPalette::Text, Qt::black);
  // The selection shows only while the box has the focus: a box of an
  // inactive window draws its selection like plain text.
  palette.setColor(QPalette::Inactive, QPalette::Highlight, Qt::white);
  palette.setColor(QPalette::Inactive, QPalette::HighlightedText, Qt::black);
  box.setPalette(palette);
}

void makePictureBox(PictureBox& picture, const ControlLayout& control) {
  if (control.background) {
    picture.setAutoFillBackground(true);
    QPalette palette = picture.palette();
    palette.setColor(QPalette::Window, toColor(*control.background));
    picture.setPalette(palette);
  }
}

// Plain text only: a caption is never taken for markup.
void makeLabel(QLabel& label, const ControlLayout& control) {
  label.setTextFormat(Qt::PlainText);
  label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
  QPalette palette = label.palette();
  if (control.background) {
    label.setAutoFillBackground(true);
    palette.setColor(QPalette::Window, toColor(*control.background));
  }
  if (control.textColour) palette.setColor(QPalette::WindowText, toColor(*control.textColour));
  label.setPalette(palette);
}

QWidget* createControl(QWidget& window, const ControlLayout& control) {
  const QString caption = qtText(control.caption);
  switch (control.kind) {
  case ControlKind::EditBox: {
    auto* box = new EditBox(&window);
    makeEditBox(*box, control);
    return box;
  }
  case ControlKind::Button: {
    auto* button = new QPushButton(caption, &window);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
  }
  case ControlKind::ListBox: {
    auto* list = new QListWidget(&window);
    list->setSortingEnabled(false);
    list->setUniformItemSizes(true);  // hundreds of one-line rows
    return list;
  }
  case ControlKind::CheckBox:
    return new QCheckBox(caption, &window);
  case ControlKind::PictureBox: {
    auto* picture = new PictureBox(qtText(control.image), &window);
    makePictureBox(*picture, control);
    return picture;
  }
  case ControlKind::Label: {
    auto* label = new QLabel(caption, &window);
    makeLabel(*label, control);
    return label;
  }
  }
  qFatal("Unknown control kind");
}

// Screen readers name a control by its caption where it has one, else by its
// layout name (an edit box's text is its content, not its name).
bool hasCaption(const ControlLayout& control) {
  switch (control.kind) {
  case ControlKind::Button:
  case ControlKind::CheckBox:
    return !control.caption.empty();
  default:
    return false;
  }
}

void setAccessibleName(QWidget& widget, const ControlLayout& control) {
  // A label is read out by the text it shows, whatever text it is given later:
  // it gets no name of its own.
  if (control.kind == ControlKind::Label) return;
  widget.setAccessibleName(hasCaption(control) ? qtText(control.caption) : qtText(control.name));
}

void place(QWidget& window, const WindowLayout& layout) {
  switch (layout.placement) {
  case Placement::Centred:
    if (const QScreen* screen = window.screen()) {
      // The frame is the window manager's; the designed outer size stands in for it.
      const QPoint centre = screen->availableGeometry().center();
      window.move(centre - QPoint(layout.outerWidth / 2, layout.outerHeight / 2));
      return;
    }
    break;
  case Placement::AsStored:
    break;
  }
  window.move(layout.left, layout.top);
}

Qt::FocusPolicy focusPolicyFor(const ControlLayout& control) {
  if (control.tabStop) return Qt::StrongFocus;
  switch (control.kind) {
  case ControlKind::PictureBox:
  case ControlKind::Label:
    return Qt::NoFocus;
  default:
    return Qt::ClickFocus;
  }
}

// The layout's widths were made for the metrics of the face the windows were
// drawn with; where the Song-style face here needs a few pixels more, a check
// box grows to the right rather than cut its caption.
void widenToCaption(QWidget& widget) {
  const int needed = widget.sizeHint().width();
  if (needed > widget.width()) widget.resize(needed, widget.height());
}

} // namespace

void buildWindow(QWidget& window, const WindowLayout& layout) {
  window.setWindowFlags(windowFlagsFor(layout.frame));
  window.setWindowTitle(qtText(layout.caption));
  window.setFixedSize(layout.clientWidth, layout.clientHeight);
  place(window, layout);
  if (layout.background) {
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, toColor(*layout.background));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
  }

  QWidget* previousTabStop = nullptr;
  for (const ControlLayout& control : layout.controls) {
    QWidget* widget = createControl(window, control);
    const QString name = qtText(control.name);
    widget->setObjectName(name);
    widget->setGeometry(control.left, control.top, control.width, control.height);
    if (!control.font.isRuntimeDefault())
      widget->setFont(layoutFont(control.font, QApplication::font(widget)));
    if (control.kind == ControlKind::CheckBox) widenToCaption(*widget);
    widget->setFocusPolicy(focusPolicyFor(control));
    setAccessibleName(*widget, control);
    widget->setEnabled(!control.disabled);
    widget->setVisible(control.visible);
    if (control.tabStop) {
      if (previousTabStop) QWidget::setTabOrder(previousTabStop, widget);
      previousTabStop = widget;
    }
  }
}

QMenu* buildMenu(QWidget& owner, const MenuLayout& layout) {
  auto* menu = new QMenu(&owner);
  menu->setObjectName(qtText(layout.name));
  for (const MenuItemLayout& item : layout.items) {
    if (item.isSeparator()) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(qtText(item.caption));
    action->setVisible(!item.hidden);
    action->setEnabled(!item.disabled);
    action->setCheckable(item.checked);
    action->setChecked(item.checked);
  }
  return menu;
}

QWidget* findControlWidget(const QWidget& window, std::string_view name) {
  auto* widget = window.findChild<QWidget*>(qtText(name), Qt::FindDirectChildrenOnly);
  if (!widget) qFatal("No control named %s", std::string(name).c_str());
  return widget;
}

} // namespace vantrel::platform
