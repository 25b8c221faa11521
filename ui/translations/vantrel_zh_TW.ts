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
</TS>
