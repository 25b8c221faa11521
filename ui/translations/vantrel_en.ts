<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US" sourcelanguage="zh_CN">
<context>
    <name>vantrel::ui::AboutBox</name>
    <message>
        <source>作者：Vantrel 团队</source>
        <translation>By the Vantrel team</translation>
    </message>
    <message>
        <source>关于 Vantrel</source>
        <translation>About Vantrel</translation>
    </message>
    <message>
        <source>找出用四个数算出 24 的所有算法。</source>
        <translation>Finds every way to make 24 from four numbers.</translation>
    </message>
    <message>
        <source>以 MIT 许可证发布。</source>
        <translation>Released under the MIT licence.</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::Font</name>
    <message>
        <source>SimSun,宋体,AR PL UMing CN,Noto Serif CJK SC,Source Han Serif SC,AR PL SungtiL GB,Noto Sans CJK SC,Source Han Sans SC,WenQuanYi Zen Hei,WenQuanYi Micro Hei,Droid Sans Fallback</source>
        <extracomment>The families of the windows&apos; own font, most wanted first, separated by commas: Qt takes the first that is installed. Song-style faces suit Chinese; a language written in Latin letters may put first a face that shows them well.</extracomment>
        <translation>DejaVu Sans,Liberation Sans,Noto Sans,Arial,AR PL UMing CN,Noto Sans CJK SC,WenQuanYi Zen Hei,Droid Sans Fallback</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::MainWindow</name>
    <message>
        <source>第一个数</source>
        <translation>First number</translation>
    </message>
    <message>
        <source>一到两位的整数</source>
        <translation>A whole number of one or two digits</translation>
    </message>
    <message>
        <source>第二个数</source>
        <translation>Second number</translation>
    </message>
    <message>
        <source>第三个数</source>
        <translation>Third number</translation>
    </message>
    <message>
        <source>第四个数</source>
        <translation>Fourth number</translation>
    </message>
    <message>
        <source>开始计算</source>
        <translation>Solve</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Results</translation>
    </message>
    <message>
        <source>重新计算</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>窗口永远在上</source>
        <translation>Stay on top</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>复制全部</source>
        <translation>Copy all</translation>
    </message>
    <message>
        <source>只列出不同的算法</source>
        <translation>Distinct solutions only</translation>
    </message>
    <message>
        <source>恢复(&amp;R)</source>
        <translation>&amp;Restore</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>&amp;About</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>E&amp;xit</translation>
    </message>
    <message>
        <source>此桌面不允许窗口永远在上</source>
        <translation>This desktop does not let windows stay on top</translation>
    </message>
    <message>
        <source>电脑我也算不出啦：（</source>
        <translation>No way to make 24 :(</translation>
    </message>
    <message numerus="yes">
        <source>共有%n种不同的算法！</source>
        <translation>
            <numerusform>%n distinct solution!</numerusform>
            <numerusform>%n distinct solutions!</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共有%n种算法！</source>
        <translation>
            <numerusform>%n solution in all!</numerusform>
            <numerusform>%n solutions in all!</numerusform>
        </translation>
    </message>
    <message>
        <source>请输入4个数字！</source>
        <translation>Please enter 4 numbers!</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::ReadmeWindow</name>
    <message>
        <source>欢迎使用 Vantrel！</source>
        <translation>Welcome to Vantrel!</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::ResultList</name>
    <message>
        <source>还没有计算结果</source>
        <translation>No results yet</translation>
    </message>
    <message>
        <source>每行一种算法，最后一行是算法的总数</source>
        <translation>One solution a line; the last line counts them</translation>
    </message>
</context>
</TS>
