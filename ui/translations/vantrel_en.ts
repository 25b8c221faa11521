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
    <message>
        <source>练习(&amp;P)</source>
        <translation>&amp;Practice</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::PlayingCard</name>
    <message>
        <source>黑桃</source>
        <translation>spades</translation>
    </message>
    <message>
        <source>红桃</source>
        <translation>hearts</translation>
    </message>
    <message>
        <source>梅花</source>
        <translation>clubs</translation>
    </message>
    <message>
        <source>方块</source>
        <translation>diamonds</translation>
    </message>
    <message>
        <source>A</source>
        <extracomment>The ace, in a card&apos;s name such as &quot;Ace of hearts, 1&quot;.</extracomment>
        <translation>Ace</translation>
    </message>
    <message>
        <source>J</source>
        <translation>Jack</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Queen</translation>
    </message>
    <message>
        <source>K</source>
        <translation>King</translation>
    </message>
    <message>
        <source>%1 %2，%3</source>
        <extracomment>A card&apos;s name for screen readers: %1 the suit, %2 the rank, %3 its value.</extracomment>
        <translation>%2 of %1, %3</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::PracticeTexts</name>
    <message>
        <source>请先输入算式。</source>
        <translation>Type a formula first.</translation>
    </message>
    <message>
        <source>算式太长了。</source>
        <translation>The formula is too long.</translation>
    </message>
    <message>
        <source>看不懂这里的字符。</source>
        <translation>This character is not part of a formula.</translation>
    </message>
    <message>
        <source>这个数写得不对。</source>
        <translation>This number is not written right.</translation>
    </message>
    <message>
        <source>这里少了一个数。</source>
        <translation>A number is missing here.</translation>
    </message>
    <message>
        <source>这里少了一个运算符。</source>
        <translation>An operator is missing here.</translation>
    </message>
    <message>
        <source>24 点里没有负数：只在牌之间用 + − × ÷。</source>
        <translation>24 has no negative numbers: use + − × ÷ between the cards.</translation>
    </message>
    <message>
        <source>括号没有配对。</source>
        <translation>The brackets do not pair up.</translation>
    </message>
    <message>
        <source>对了，这手牌无解。</source>
        <translation>Right: this hand has no solution.</translation>
    </message>
    <message>
        <source>这手牌有解，再想想。</source>
        <translation>This hand has a solution. Think again.</translation>
    </message>
    <message>
        <source>%1 不是这手牌里的数。</source>
        <translation>%1 is not one of the cards.</translation>
    </message>
    <message>
        <source>%1 用得比牌多。</source>
        <translation>%1 is used more often than it is dealt.</translation>
    </message>
    <message>
        <source>还有牌没用上：%1。</source>
        <extracomment>Between the cards that are left out, as in &quot;3、8&quot;.</extracomment>
        <translation>Not every card is used: %1 is left.</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>不能除以 0。</source>
        <translation>You cannot divide by zero.</translation>
    </message>
    <message>
        <source>算出来是 %1，不是 24。</source>
        <translation>That makes %1, not 24.</translation>
    </message>
    <message>
        <source>算式等于 24，不是 %1。</source>
        <translation>The formula makes 24, not %1.</translation>
    </message>
    <message>
        <source>简单</source>
        <translation>Easy</translation>
    </message>
    <message>
        <source>中等</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>困难</source>
        <translation>Hard</translation>
    </message>
    <message>
        <source>极难</source>
        <translation>Expert</translation>
    </message>
    <message>
        <source>无解</source>
        <translation>No solution</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::PracticeWindow</name>
    <message>
        <source>练习</source>
        <translation>Practice</translation>
    </message>
    <message>
        <source>难度</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>牌</source>
        <translation>Cards</translation>
    </message>
    <message>
        <source>也发无解的牌</source>
        <translation>Also deal hands without a solution</translation>
    </message>
    <message>
        <source>算式</source>
        <translation>Formula</translation>
    </message>
    <message>
        <source>输入算式，如 (1+2+3)×4</source>
        <translation>Type a formula, e.g. (1+2+3)×4</translation>
    </message>
    <message>
        <source>退格</source>
        <translation>Backspace</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>Check</translation>
    </message>
    <message>
        <source>无解</source>
        <translation>No solution</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Hint</translation>
    </message>
    <message>
        <source>看答案</source>
        <translation>Show answers</translation>
    </message>
    <message>
        <source>下一手</source>
        <translation>Next hand</translation>
    </message>
    <message>
        <source>练习题的手数</source>
        <translation>Hands on the worksheet</translation>
    </message>
    <message>
        <source>打印练习题…</source>
        <translation>Print worksheet…</translation>
    </message>
    <message>
        <source>清空统计</source>
        <translation>Reset statistics</translation>
    </message>
    <message>
        <source>用时</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>清空全部难度的练习统计？</source>
        <translation>Reset the statistics of every level?</translation>
    </message>
    <message>
        <source>A 到 10</source>
        <translation>A to 10</translation>
    </message>
    <message>
        <source>A 到 K</source>
        <translation>A to K</translation>
    </message>
    <message>
        <source>；</source>
        <extracomment>Between the names of the cards, as a screen reader reads the hand.</extracomment>
        <translation>; </translation>
    </message>
    <message>
        <source>这种算法已经找到过了（第 %1 种）。</source>
        <translation>You have found that way already (way %1).</translation>
    </message>
    <message>
        <source>对了！这是第 %1 种算法，共 %2 种。</source>
        <translation>Right! That is way %1 of %2.</translation>
    </message>
    <message>
        <source>%1 种算法全都找到了！</source>
        <translation>You found all %1 ways!</translation>
    </message>
    <message>
        <source>这手牌无解。</source>
        <translation>This hand has no solution.</translation>
    </message>
    <message>
        <source>提示：先算 %1。</source>
        <translation>Hint: start with %1.</translation>
    </message>
    <message>
        <source>一种算法：%1</source>
        <translation>One way: %1</translation>
    </message>
    <message>
        <source>全部 %1 种算法：</source>
        <translation>All %1 ways:</translation>
    </message>
    <message>
        <source>找到 %1 种，共 %2 种</source>
        <translation>Found %1 of %2</translation>
    </message>
    <message>
        <source>用时 %1</source>
        <translation>Time %1</translation>
    </message>
    <message>
        <source>已玩 %1 手 · 独立解出 %2 手 · 平均 %3 秒 · 最快 %4 秒 · 连胜 %5（最多 %6）</source>
        <translation>Played %1 · solved unaided %2 · average %3 s · best %4 s · streak %5 (best %6)</translation>
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
<context>
    <name>vantrel::ui::Worksheet</name>
    <message>
        <source>24 点练习题 · %1 · %2</source>
        <translation>24 practice · %1 · %2</translation>
    </message>
    <message>
        <source>答案</source>
        <translation>Answers</translation>
    </message>
</context>
</TS>
