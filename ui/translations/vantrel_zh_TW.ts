<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>vantrel::ui::AboutBox</name>
    <message>
        <source>作者：Vantrel 团队</source>
        <translation>作者：Vantrel 團隊</translation>
    </message>
    <message>
        <source>关于 Vantrel</source>
        <translation>關於 Vantrel</translation>
    </message>
    <message>
        <source>找出用四个数算出 24 的所有算法。</source>
        <translation>找出用四個數算出 24 的所有算法。</translation>
    </message>
    <message>
        <source>以 MIT 许可证发布。</source>
        <translation>以 MIT 授權條款發布。</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::Font</name>
    <message>
        <source>SimSun,宋体,AR PL UMing CN,Noto Serif CJK SC,Source Han Serif SC,AR PL SungtiL GB,Noto Sans CJK SC,Source Han Sans SC,WenQuanYi Zen Hei,WenQuanYi Micro Hei,Droid Sans Fallback</source>
        <extracomment>The families of the windows&apos; own font, most wanted first, separated by commas: Qt takes the first that is installed. Song-style faces suit Chinese; a language written in Latin letters may put first a face that shows them well.</extracomment>
        <translation>PMingLiU,新細明體,AR PL UMing TW,Noto Serif CJK TC,Source Han Serif TC,AR PL UMing CN,Noto Sans CJK TC,Source Han Sans TC,WenQuanYi Zen Hei,WenQuanYi Micro Hei,Droid Sans Fallback</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::MainWindow</name>
    <message>
        <source>第一个数</source>
        <translation>第一個數</translation>
    </message>
    <message>
        <source>一到两位的整数</source>
        <translation>一到兩位的整數</translation>
    </message>
    <message>
        <source>第二个数</source>
        <translation>第二個數</translation>
    </message>
    <message>
        <source>第三个数</source>
        <translation>第三個數</translation>
    </message>
    <message>
        <source>第四个数</source>
        <translation>第四個數</translation>
    </message>
    <message>
        <source>开始计算</source>
        <translation>開始計算</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>結果</translation>
    </message>
    <message>
        <source>重新计算</source>
        <translation>重新計算</translation>
    </message>
    <message>
        <source>图片</source>
        <translation>圖片</translation>
    </message>
    <message>
        <source>窗口永远在上</source>
        <translation>視窗永遠在上</translation>
    </message>
    <message>
        <source>复制</source>
        <translation>複製</translation>
    </message>
    <message>
        <source>复制全部</source>
        <translation>複製全部</translation>
    </message>
    <message>
        <source>只列出不同的算法</source>
        <translation>只列出不同的算法</translation>
    </message>
    <message>
        <source>恢复(&amp;R)</source>
        <translation>還原(&amp;R)</translation>
    </message>
    <message>
        <source>关于(&amp;A)</source>
        <translation>關於(&amp;A)</translation>
    </message>
    <message>
        <source>退出(&amp;X)</source>
        <translation>結束(&amp;X)</translation>
    </message>
    <message>
        <source>此桌面不允许窗口永远在上</source>
        <translation>此桌面不允許視窗永遠在上</translation>
    </message>
    <message>
        <source>电脑我也算不出啦：（</source>
        <translation>電腦我也算不出啦：（</translation>
    </message>
    <message numerus="yes">
        <source>共有%n种不同的算法！</source>
        <translation>
            <numerusform>共有%n種不同的算法！</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>共有%n种算法！</source>
        <translation>
            <numerusform>共有%n種算法！</numerusform>
        </translation>
    </message>
    <message>
        <source>请输入4个数字！</source>
        <translation>請輸入4個數字！</translation>
    </message>
    <message>
        <source>练习(&amp;P)</source>
        <translation>練習(&amp;P)</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::PlayingCard</name>
    <message>
        <source>黑桃</source>
        <translation>黑桃</translation>
    </message>
    <message>
        <source>红桃</source>
        <translation>紅心</translation>
    </message>
    <message>
        <source>梅花</source>
        <translation>梅花</translation>
    </message>
    <message>
        <source>方块</source>
        <translation>方塊</translation>
    </message>
    <message>
        <source>A</source>
        <extracomment>The ace, in a card&apos;s name such as &quot;Ace of hearts, 1&quot;.</extracomment>
        <translation>A</translation>
    </message>
    <message>
        <source>J</source>
        <translation>J</translation>
    </message>
    <message>
        <source>Q</source>
        <translation>Q</translation>
    </message>
    <message>
        <source>K</source>
        <translation>K</translation>
    </message>
    <message>
        <source>%1 %2，%3</source>
        <extracomment>A card&apos;s name for screen readers: %1 the suit, %2 the rank, %3 its value.</extracomment>
        <translation>%1 %2，%3</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::PracticeTexts</name>
    <message>
        <source>请先输入算式。</source>
        <translation>請先輸入算式。</translation>
    </message>
    <message>
        <source>算式太长了。</source>
        <translation>算式太長了。</translation>
    </message>
    <message>
        <source>看不懂这里的字符。</source>
        <translation>看不懂這裡的字元。</translation>
    </message>
    <message>
        <source>这个数写得不对。</source>
        <translation>這個數寫得不對。</translation>
    </message>
    <message>
        <source>这里少了一个数。</source>
        <translation>這裡少了一個數。</translation>
    </message>
    <message>
        <source>这里少了一个运算符。</source>
        <translation>這裡少了一個運算子。</translation>
    </message>
    <message>
        <source>24 点里没有负数：只在牌之间用 + − × ÷。</source>
        <translation>24 點裡沒有負數：只在牌之間用 + − × ÷。</translation>
    </message>
    <message>
        <source>括号没有配对。</source>
        <translation>括號沒有配對。</translation>
    </message>
    <message>
        <source>对了，这手牌无解。</source>
        <translation>對了，這手牌無解。</translation>
    </message>
    <message>
        <source>这手牌有解，再想想。</source>
        <translation>這手牌有解，再想想。</translation>
    </message>
    <message>
        <source>%1 不是这手牌里的数。</source>
        <translation>%1 不是這手牌裡的數。</translation>
    </message>
    <message>
        <source>%1 用得比牌多。</source>
        <translation>%1 用得比牌多。</translation>
    </message>
    <message>
        <source>还有牌没用上：%1。</source>
        <extracomment>Between the cards that are left out, as in &quot;3、8&quot;.</extracomment>
        <translation>還有牌沒用上：%1。</translation>
    </message>
    <message>
        <source>、</source>
        <translation>、</translation>
    </message>
    <message>
        <source>不能除以 0。</source>
        <translation>不能除以 0。</translation>
    </message>
    <message>
        <source>算出来是 %1，不是 24。</source>
        <translation>算出來是 %1，不是 24。</translation>
    </message>
    <message>
        <source>算式等于 24，不是 %1。</source>
        <translation>算式等於 24，不是 %1。</translation>
    </message>
    <message>
        <source>简单</source>
        <translation>簡單</translation>
    </message>
    <message>
        <source>中等</source>
        <translation>中等</translation>
    </message>
    <message>
        <source>困难</source>
        <translation>困難</translation>
    </message>
    <message>
        <source>极难</source>
        <translation>極難</translation>
    </message>
    <message>
        <source>无解</source>
        <translation>無解</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::PracticeWindow</name>
    <message>
        <source>练习</source>
        <translation>練習</translation>
    </message>
    <message>
        <source>难度</source>
        <translation>難度</translation>
    </message>
    <message>
        <source>牌</source>
        <translation>牌</translation>
    </message>
    <message>
        <source>也发无解的牌</source>
        <translation>也發無解的牌</translation>
    </message>
    <message>
        <source>算式</source>
        <translation>算式</translation>
    </message>
    <message>
        <source>输入算式，如 (1+2+3)×4</source>
        <translation>輸入算式，如 (1+2+3)×4</translation>
    </message>
    <message>
        <source>退格</source>
        <translation>退格</translation>
    </message>
    <message>
        <source>提交</source>
        <translation>提交</translation>
    </message>
    <message>
        <source>无解</source>
        <translation>無解</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>看答案</source>
        <translation>看答案</translation>
    </message>
    <message>
        <source>下一手</source>
        <translation>下一手</translation>
    </message>
    <message>
        <source>练习题的手数</source>
        <translation>練習題的手數</translation>
    </message>
    <message>
        <source>打印练习题…</source>
        <translation>列印練習題…</translation>
    </message>
    <message>
        <source>清空统计</source>
        <translation>清除統計</translation>
    </message>
    <message>
        <source>用时</source>
        <translation>用時</translation>
    </message>
    <message>
        <source>清空全部难度的练习统计？</source>
        <translation>清除全部難度的練習統計？</translation>
    </message>
    <message>
        <source>A 到 10</source>
        <translation>A 到 10</translation>
    </message>
    <message>
        <source>A 到 K</source>
        <translation>A 到 K</translation>
    </message>
    <message>
        <source>；</source>
        <extracomment>Between the names of the cards, as a screen reader reads the hand.</extracomment>
        <translation>；</translation>
    </message>
    <message>
        <source>这种算法已经找到过了（第 %1 种）。</source>
        <translation>這種算法已經找到過了（第 %1 種）。</translation>
    </message>
    <message>
        <source>对了！这是第 %1 种算法，共 %2 种。</source>
        <translation>對了！這是第 %1 種算法，共 %2 種。</translation>
    </message>
    <message>
        <source>%1 种算法全都找到了！</source>
        <translation>%1 種算法全都找到了！</translation>
    </message>
    <message>
        <source>这手牌无解。</source>
        <translation>這手牌無解。</translation>
    </message>
    <message>
        <source>提示：先算 %1。</source>
        <translation>提示：先算 %1。</translation>
    </message>
    <message>
        <source>一种算法：%1</source>
        <translation>一種算法：%1</translation>
    </message>
    <message>
        <source>全部 %1 种算法：</source>
        <translation>全部 %1 種算法：</translation>
    </message>
    <message>
        <source>找到 %1 种，共 %2 种</source>
        <translation>找到 %1 種，共 %2 種</translation>
    </message>
    <message>
        <source>用时 %1</source>
        <translation>用時 %1</translation>
    </message>
    <message>
        <source>已玩 %1 手 · 独立解出 %2 手 · 平均 %3 秒 · 最快 %4 秒 · 连胜 %5（最多 %6）</source>
        <translation>已玩 %1 手 · 獨立解出 %2 手 · 平均 %3 秒 · 最快 %4 秒 · 連勝 %5（最多 %6）</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::ReadmeWindow</name>
    <message>
        <source>欢迎使用 Vantrel！</source>
        <translation>歡迎使用 Vantrel！</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::ResultList</name>
    <message>
        <source>还没有计算结果</source>
        <translation>還沒有計算結果</translation>
    </message>
    <message>
        <source>每行一种算法，最后一行是算法的总数</source>
        <translation>每行一種算法，最後一行是算法的總數</translation>
    </message>
</context>
<context>
    <name>vantrel::ui::Worksheet</name>
    <message>
        <source>24 点练习题 · %1 · %2</source>
        <translation>24 點練習題 · %1 · %2</translation>
    </message>
    <message>
        <source>答案</source>
        <translation>答案</translation>
    </message>
</context>
</TS>
