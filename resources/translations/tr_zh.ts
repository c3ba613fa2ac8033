<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>CliHelp</name>
    <message>
        <source>The factory design of SERIES, exactly as Save writes it right after New,
to FILE or to standard output. An existing FILE is kept unless --overwrite
is given.</source>
        <translation>写出 SERIES 的出厂设计，与“新建”后立即“保存”写出的文件完全相同，写到 FILE 或标准输出。FILE 已存在时保持不变，除非给出 --overwrite。</translation>
    </message>
    <message>
        <source>Opens FILE as Open does and prints every clock-record field in field order,
as &quot;name value&quot; lines or, with --json, as one object (plus &quot;series&quot; and
&quot;findings&quot;, as check --json gives them).</source>
        <translation>像“打开”一样打开 FILE，并按字段顺序输出时钟记录的每个字段：每行“名称 值”，或给出 --json 时输出为一个对象（另含 &quot;series&quot; 和 &quot;findings&quot;，与 check --json 相同）。</translation>
    </message>
    <message>
        <source>Opens FILE and runs the checks before saving and generating: the inputs,
then the series&apos; limits on the recomputed tree. Prints &quot;error: TEXT&quot; for
a refusal and &quot;warning: TEXT&quot; for a warning, a value the file held that
was read differently included (&quot;pllms &quot;16&quot; read as 1&quot;). With --json:
{&quot;series&quot;, &quot;status&quot;, &quot;findings&quot;: [{&quot;severity&quot;, &quot;kind&quot;, &quot;text&quot;,
&quot;field&quot;, &quot;value&quot;, &quot;allowed&quot;}]}, kind being input, limit or load.</source>
        <translation>打开 FILE 并执行保存和生成代码之前的检查：先检查输入，再在重新计算的时钟树上检查该系列的限值。拒绝时输出“error: TEXT”，警告时输出“warning: TEXT”，包括文件中被读成其他值的数值（&quot;pllms &quot;16&quot; read as 1&quot;）。给出 --json 时输出 {&quot;series&quot;, &quot;status&quot;, &quot;findings&quot;: [{&quot;severity&quot;, &quot;kind&quot;, &quot;text&quot;, &quot;field&quot;, &quot;value&quot;, &quot;allowed&quot;}]}，其中 kind 为 input、limit 或 load。</translation>
    </message>
    <message>
        <source>Opens and checks FILE, creates DIR/inc and DIR/src and writes the four
source files, printing their names relative to DIR. A refusal writes
nothing; a warning stops the command unless --force is given (--force
never adjusts a value). Nothing is written when one of the four files
exists, unless --overwrite is given. The four files are written all or
none: a failure leaves the folder as it was. An empty DIR, or one that is
not a folder, is a usage error.
--check writes nothing: it renders the four files as generate would
(same checks, same statuses) and compares them with those in DIR, line
ends aside (every other byte counts). Exit 0 when all are identical, 7
when one differs or is missing; each such file is named, followed by a
short unified diff.
--guard adds to the clock source a compile-time check that stops the
firmware build when HEXT_VALUE is not the design&apos;s crystal (only when
the tree uses HEXT); with --check, the guarded files are compared.
--each generates every FILE in one run, into OUTROOT/NAME where NAME is
the file&apos;s name without its suffix, and prints &quot;FILE: STATUS WORD&quot; for
each; the exit status is the most severe (1, 5, 2, 4, 7, 3, 0 in this
order: a refusal outranks a warning). Two FILEs of the same NAME are a
usage error before anything is written.</source>
        <translation>打开并检查 FILE，创建 DIR/inc 和 DIR/src，写出四个源文件，并输出它们相对于 DIR 的名称。被拒绝时不写入任何内容；遇到警告时停止，除非给出 --force（--force 从不调整数值）。四个文件中有已存在的文件时不写入任何内容，除非给出 --overwrite。四个文件要么全部写入，要么都不写入：失败时文件夹保持原样。DIR 为空或不是文件夹属于用法错误。
--check 不写入任何内容：它按 generate 的方式（相同的检查、相同的状态）生成四个文件，并与 DIR 中的文件比较，忽略行尾差异（其余每个字节都参与比较）。全部相同时退出状态为 0，有文件不同或缺失时为 7；列出每个这样的文件，并给出简短的统一差异。
--guard 在时钟源文件中加入编译期检查：HEXT_VALUE 与设计的晶振不一致时固件构建失败（仅当时钟树使用 HEXT 时加入）；与 --check 一起使用时比较加入检查后的文件。
--each 在一次运行中生成每个 FILE，写到 OUTROOT/NAME（NAME 为文件名去掉扩展名），并为每个文件输出“FILE: STATUS WORD”；退出状态取其中最严重的（按 1、5、2、4、7、3、0 的顺序：拒绝优先于警告）。两个 FILE 的 NAME 相同属于用法错误，此时不写入任何内容。</translation>
    </message>
    <message>
        <source>The PLL the program chooses when the system clock MHZ is typed with the PLL
fed by HEXT (or HICK with --hick): flexible factors where the series has
them (the multiplier with --normal on mode-selectable series), else the
multiplier, never above the series&apos; limit. Prints the factors (pllMs, pllNs,
pllFr, or pllMult), pllMHz, sclkMHz, usbDiv (the divider chosen for a USB
clock fed by the PLL) and, for flexible factors, CRM_PLLCFG.
--explain [--top N] adds the N best factor sets (default 5), the chosen one
first (marked &quot;*&quot;), the others by their error to MHZ and then in the
search&apos;s own order: factors, SCLK, the error in kHz and ppm, the PLL
reference and oscillator, the USB divider and clock they would give; then
a &quot;chosen:&quot; line saying why it won. With --json: &quot;candidates&quot; and &quot;reason&quot;.
--usb48 takes, among the factor sets that give USB exactly 48 MHz through
one of the series&apos; USB dividers in a design that check accepts as it is,
the one nearest MHZ (ties as the search breaks them) and prints usbMHz
too; exit 8 when there is none. A usage error on series without USB.</source>
        <translation>在 PLL 由 HEXT（给出 --hick 时由 HICK）供给的情况下，输入系统时钟 MHZ 时程序选择的 PLL：该系列有灵活型系数时为灵活型系数（在模式可选型系列上给出 --normal 时为倍频系数），否则为倍频系数，从不超过该系列的限值。输出各系数（pllMs、pllNs、pllFr 或 pllMult）、pllMHz、sclkMHz、usbDiv（USB 时钟由 PLL 供给时选择的分频）以及灵活型系数的 CRM_PLLCFG。
--explain [--top N] 另外列出最好的 N 组系数（默认 5 组）：所选的一组在前（标有“*”），其余按与 MHZ 的误差、再按搜索本身的顺序排列；每组给出系数、SCLK、以 kHz 和 ppm 表示的误差、PLL 参考时钟和振荡器，以及对应的 USB 分频和时钟；最后一行“chosen:”说明选择它的原因。给出 --json 时为 &quot;candidates&quot; 和 &quot;reason&quot;。
--usb48 在通过该系列的某个 USB 分频使 USB 恰好为 48 MHz、且 check 原样接受其设计的系数组中，选出最接近 MHZ 的一组（相同时按搜索的顺序），并另外输出 usbMHz；没有这样的系数组时退出状态为 8。在没有 USB 的系列上属于用法错误。</translation>
    </message>
    <message>
        <source>done</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>usage error or bad value, unreadable or unsupported file</source>
        <translation>用法错误或数值错误、文件无法读取或不受支持</translation>
    </message>
    <message>
        <source>stopped at a warning, a value read differently from the file included
(a refusal outranks a warning)</source>
        <translation>因警告而停止，包括文件中被读成其他值的数值（拒绝优先于警告）</translation>
    </message>
    <message>
        <source>an output file exists (--overwrite replaces it)</source>
        <translation>输出文件已存在（--overwrite 会替换它）</translation>
    </message>
    <message>
        <source>update failed: network, TLS, HTTP status, size, unreadable list or signature</source>
        <translation>更新失败：网络、TLS、HTTP 状态、大小、列表无法读取或签名</translation>
    </message>
    <message>
        <source>generate --check: a generated file differs from the design or is missing</source>
        <translation>generate --check：生成的文件与设计不一致或缺失</translation>
    </message>
    <message>
        <source>solve --usb48: no factor set meets the constraint</source>
        <translation>solve --usb48：没有满足条件的系数组</translation>
    </message>
    <message>
        <source>update: a newer version exists (without --download)</source>
        <translation>update：有更新的版本（未给出 --download）</translation>
    </message>
    <message>
        <source>update: stopped by SIGINT (Ctrl+C); nothing of the run is left</source>
        <translation>update：被 SIGINT（Ctrl+C）停止；本次运行不留下任何文件</translation>
    </message>
    <message>
        <source>update: stopped by SIGTERM; nothing of the run is left</source>
        <translation>update：被 SIGTERM 停止；本次运行不留下任何文件</translation>
    </message>
    <message>
        <source>Reads the update list (at URL, else the program&apos;s own address) and prints
its version, the program&apos;s, and whether it is newer. With --download, a
newer package is saved into DIR (a file of its name is replaced only with
the option --overwrite; with --sha256 it must have that checksum). A
certificate error is a failure: nothing is asked. A build without the
maker&apos;s key adds the line &quot;signature: not checked (this build has no key)&quot;.
Stopped by SIGINT or SIGTERM, it removes its temporary files and the partial
package (exit 130 or 143).</source>
        <translation>读取更新列表（在 URL，否则在程序自己的地址），输出其中的版本、程序的版本以及前者是否更新。给出 --download 时把更新的软件包保存到 DIR（只有给出 --overwrite 时才替换同名文件；给出 --sha256 时软件包必须具有该校验和）。证书错误即为失败：不会询问。不含厂商密钥的构建另外输出一行“signature: not checked (this build has no key)”。被 SIGINT 或 SIGTERM 停止时，它删除临时文件和未下载完的软件包（退出状态 130 或 143）。</translation>
    </message>
    <message>
        <source>generation or rendering failed, or update could not save a file (disk full)</source>
        <translation>代码生成或绘图失败，或 update 无法保存文件（磁盘已满）</translation>
    </message>
    <message>
        <source>Searches every setting of FILE&apos;s series (sources, HEXT divider, PLL mode
and factors or multiplier, AHB, APB, ADC and USB settings, clock-output
sources and dividers; never the crystal, the pins or the RTC) for the
designs that meet every want within the series&apos; limits (USB at exactly
48 MHz while on, ADC within its limit) with every kept clock as it is.
Both options repeat, or take a comma list. Ranking: every want met; each
CLOCK=max as high as it goes, in the order given; fewest settings changed;
smallest total error to the exact wants; then the order the controls offer
their options. Prints the set arguments that make the best design (&quot;set
(no change)&quot; when FILE is already it), every clock it runs, exact (a
fraction follows a value that is no short decimal), and how many designs
were searched. --explain adds the N next best (default 5), each with why
it lost. When no design meets every want: exit 2 and &quot;cannot meet WANT
together with WANT...&quot; for the smallest such set. --apply saves the
design through set (its edits, its checks before saving) to FILE or OUT.
--json: one object with &quot;set&quot;, &quot;changes&quot;, &quot;clocks&quot; and &quot;searched&quot;
(&quot;next&quot; with --explain; &quot;solved&quot;: false and &quot;conflict&quot; when nothing fits).
Clocks: pll, sclk, ahb, apb1, apb1tmr, apb2, apb2tmr, and where the series
has them adc, usb, clkout (QXC330, QXC335: clkout1, clkout2).</source>
        <translation>在 FILE 所属系列的每项设置中搜索（时钟源、HEXT 分频、PLL 模式及其系数或倍频、AHB、APB、ADC 和 USB 设置、时钟输出的时钟源和分频；从不改变晶振、引脚和 RTC），找出在系列限值内满足每个期望的设计（USB 开启时恰为 48 MHz，ADC 在其限值内），且每个保持的时钟保持原值。两个选项都可重复，或用逗号分隔的列表给出。排序：满足每个期望；每个 CLOCK=max 按给出的顺序尽可能高；改动的设置最少；与精确期望的总误差最小；然后按控件列出选项的顺序。输出生成最佳设计的 set 参数（FILE 已是最佳设计时为 &quot;set (no change)&quot;）、它运行的每个时钟（精确值，非短小数的值后附其分数）以及搜索过的设计数。--explain 另外列出其后 N 个最佳设计（默认 5 个），并说明各自落选的原因。没有设计满足每个期望时：退出状态 2，并对最小的此类集合输出 &quot;cannot meet WANT together with WANT...&quot;。--apply 通过 set（其修改及保存前的检查）把设计保存到 FILE 或 OUT。--json：一个包含 &quot;set&quot;、&quot;changes&quot;、&quot;clocks&quot; 和 &quot;searched&quot; 的对象（给出 --explain 时另有 &quot;next&quot;；无解时为 &quot;solved&quot;: false 和 &quot;conflict&quot;）。时钟：pll、sclk、ahb、apb1、apb1tmr、apb2、apb2tmr，以及系列具有时的 adc、usb、clkout（QXC330、QXC335：clkout1、clkout2）。</translation>
    </message>
    <message>
        <source>refused: a limit check or invalid design content (nothing written);
solve FILE: no design meets every want</source>
        <translation>被拒绝：限值检查或无效的设计内容（不写入任何内容）；
solve FILE：没有设计满足每个期望</translation>
    </message>
    <message>
        <source>Opens FILE as Open does, applies the edits in the order given, each as the
window applies that control (its corrections, questions, USB retune and
recompute), and saves through the checks before saving. NAME is a
control&apos;s design-file element (ahbdiv, pllms, tousbswitch, ...) or hext or
sclk for the two entries; VALUE is what a user types into an entry, or the
value the design file stores for a choice. Prints each edit&apos;s messages and
questions (&quot;NAME=VALUE: question: TEXT -&gt; Cancel&quot;) and the fields that
changed, then &quot;saved OUT&quot;. Questions are answered &quot;Cancel&quot; unless --yes
is given. A refused or cancelled edit (a typed value the entry refuses, such
as hext=abc or hext=30, included) writes nothing (exit 2); a warning of
the checks answered &quot;Cancel&quot; too (exit 3). OUT defaults to FILE; another
OUT that exists is kept unless --overwrite is given. An unknown NAME, or a
VALUE that is no option of the choice, is a usage error listing what is
allowed.
HEXT is the board&apos;s crystal: an edit the window would correct by changing
it (a PLL input off 2..16 MHz) is refused (exit 2), and so is a FILE whose
crystal had to change when it was opened, unless an edit sets hext.</source>
        <translation>像“打开”一样打开 FILE，按给出的顺序应用修改，每项修改都像窗口中操作该控件一样进行（包括其修正、询问、USB 重新调整和重新计算），然后经过保存前的检查写入。NAME 是控件在设计文件中的元素名（ahbdiv、pllms、tousbswitch 等），两个输入框则为 hext 或 sclk；VALUE 是在输入框中输入的内容，或设计文件为下拉选项保存的值。输出每项修改的消息和询问（&quot;NAME=VALUE: question: TEXT -&gt; Cancel&quot;）以及变化的字段，然后输出“saved OUT”。询问一律回答“Cancel”，除非给出 --yes。被拒绝或被取消的修改（包括输入框拒绝的输入值，例如 hext=abc 或 hext=30）不写入任何内容（退出状态 2）；检查中的警告回答“Cancel”时同样如此（退出状态 3）。OUT 默认为 FILE；其他已存在的 OUT 保持不变，除非给出 --overwrite。未知的 NAME，或不是下拉选项之一的 VALUE，属于用法错误，并列出允许的值。HEXT 是电路板的晶振：窗口会通过改变 HEXT 来修正的修改（PLL 输入不在 2..16 MHz 内）被拒绝（退出状态 2）；打开时晶振不得不改变的 FILE 同样被拒绝，除非某项修改设置了 hext。</translation>
    </message>
    <message>
        <source>Opens FILE as Open does and prints every control and value of its tree as
a fresh window shows it, in the order they lie over the drawing, one line
each: name, role (combo, radio, entry, label, button), text (a choice: its
item; radios without a caption: the stored value), colour (in limit, over
limit, gray, pending, refused, in use, plain), enabled or disabled, shown
or hidden, separated by tabs. With --json: {&quot;series&quot;, &quot;controls&quot;: [...]},
one object per control with its caption, items and which can be chosen,
tooltip and accessible value too.</source>
        <translation>像“打开”一样打开 FILE，按控件在图上的顺序输出新窗口中树的每个控件和数值，每行一个：名称、角色（combo、radio、entry、label、button）、文字（下拉选项：其条目；没有标题的单选按钮：保存的值）、颜色（in limit、over limit、gray、pending、refused、in use、plain）、enabled 或 disabled、shown 或 hidden，以制表符分隔。给出 --json 时：{&quot;series&quot;, &quot;controls&quot;: [...]}，每个控件一个对象，另含其标题、条目及可选的条目、提示和无障碍值。</translation>
    </message>
    <message>
        <source>Runs tickforge-render, the one program that paints, which the desktop
package &quot;tickforge&quot; installs (found beside tickforge-cli, else on PATH;
without it: exit 1). It opens FILE as Open does and writes its clock tree
as the program shows it (drawing, controls and values, lists folded in) at
the drawing&apos;s full size, as Project &gt; Export drawing does: a PNG image or a
one-page vector PDF (lines, shapes and searchable texts). Prints OUT. An
existing OUT is kept unless --overwrite is given.</source>
        <translation>运行 tickforge-render，即唯一负责绘图的程序，由桌面程序软件包“tickforge”安装（在 tickforge-cli 旁边查找，否则在 PATH 中查找；找不到时：退出状态 1）。它像“打开”一样打开 FILE，并按图的原始大小写出程序所显示的时钟树（图、控件和数值，展开列表收起），与“项目 &gt; 导出时钟树图”相同：PNG 图片或单页矢量 PDF（线条、形状和可搜索的文字）。输出 OUT。已存在的 OUT 保持不变，除非给出 --overwrite。</translation>
    </message>
    <message>
        <source>The drawing as an SVG document of lines, shapes and texts, written by
tickforge-cli itself (no GUI libraries needed).</source>
        <translation>图以由线条、形状和文字组成的 SVG 文档写出，由 tickforge-cli 自己完成（不需要图形界面库）。</translation>
    </message>
    <message>
        <source>What changed from A to B, in tree order: &quot;setting ELEMENT: OLD → NEW&quot; for
each stored setting, then &quot;clock NAME: OLD → NEW (limit L, now over)&quot;
for each clock whose value changes. As diff(1): exit 0 and no output when
the designs are the same, 1 when they differ, 2 for designs of different
series, a file that cannot be opened or a usage error.</source>
        <translation>从 A 到 B 的变化，按树的顺序：每项保存的设置输出 &quot;setting ELEMENT: OLD → NEW&quot;，然后每个频率改变的时钟输出 &quot;clock NAME: OLD → NEW (limit L, now over)&quot;。与 diff(1) 相同：两个设计相同时退出状态 0 且不输出，不同时为 1，系列不同、文件无法打开或用法错误时为 2。</translation>
    </message>
    <message>
        <source>A review page of the design FILE for readers without the program: series
and file; every clock of the tree with its value, limit, margin and path
from its source (&quot;HEXT 8 MHz → PLL /1 ×72 /2 → SCLK 288 MHz&quot;); every
setting as the file stores it and as the window shows it; the findings of
the checks before saving; the generated files&apos; clock summary; the drawing
(embedded in HTML, written beside OUT.md as OUT.svg). Markdown on standard
output without -o. --lang picks the language of the texts (default en).
Made by tickforge-cli alone, without the GUI libraries.</source>
        <translation>为没有本程序的读者写出设计 FILE 的审阅页面：系列和文件；树中每个时钟的频率、上限、余量以及从时钟源开始的路径（&quot;HEXT 8 MHz → PLL /1 ×72 /2 → SCLK 288 MHz&quot;）；每项设置在文件中保存的值和在窗口中显示的内容；保存前检查的结果；生成文件的时钟摘要；图（HTML 中内嵌，Markdown 时以 OUT.svg 写在 OUT.md 旁边）。不给出 -o 时在标准输出上输出 Markdown。--lang 选择文字的语言（默认 en）。只由 tickforge-cli 完成，不需要图形界面库。</translation>
    </message>
</context>
<context>
    <name>Codegen</name>
    <message>
        <source>Creating &quot;inc&quot; folder error!</source>
        <translation>创建inc文件夹失败!</translation>
    </message>
    <message>
        <source>Creating &quot;src&quot; folder error!</source>
        <translation>创建src文件夹失败!</translation>
    </message>
</context>
<context>
    <name>DesignReport</name>
    <message>
        <source>exactly %1</source>
        <translation>必须为 %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>无</translation>
    </message>
    <message>
        <source>off by %1</source>
        <translation>偏差 %1</translation>
    </message>
    <message>
        <source>under by %1</source>
        <translation>低于 %1</translation>
    </message>
    <message>
        <source>over by %1</source>
        <translation>超出 %1</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>时钟</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>频率</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>上限</translation>
    </message>
    <message>
        <source>Margin</source>
        <translation>余量</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>路径</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控件</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>文件中的值</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>窗口中显示</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>拒绝：%1</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>警告：%1</translation>
    </message>
    <message>
        <source>None: the design can be saved and generated as it is.</source>
        <translation>无：设计可以按现状保存并生成代码。</translation>
    </message>
    <message>
        <source>The checks refuse this design: no files are generated.</source>
        <translation>检查拒绝了此设计：不会生成任何文件。</translation>
    </message>
    <message>
        <source>Clock design report</source>
        <translation>时钟设计报告</translation>
    </message>
    <message>
        <source>Series: %1</source>
        <translation>系列：%1</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>文件：%1</translation>
    </message>
    <message>
        <source>Clocks</source>
        <translation>时钟</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Findings of the checks before saving</source>
        <translation>保存前检查的结果</translation>
    </message>
    <message>
        <source>Clock summary of the generated files</source>
        <translation>生成文件中的时钟摘要</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>时钟树图</translation>
    </message>
    <message>
        <source>Clock tree</source>
        <translation>时钟树</translation>
    </message>
</context>
<context>
    <name>FormConfiguration</name>
    <message>
        <source>New</source>
        <translation>新建</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>打开</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>English</source>
        <translation>英文</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>简体中文</translation>
    </message>
    <message>
        <source>Generate code</source>
        <translation>生成代码</translation>
    </message>
    <message>
        <source>Open Manual</source>
        <translation>打开手册</translation>
    </message>
    <message>
        <source>New version download</source>
        <translation>新版本下载</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>项目</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>帮助</translation>
    </message>
    <message>
        <source>Clock Configuration</source>
        <translation>时钟配置</translation>
    </message>
    <message>
        <source>---</source>
        <translation>---</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Currently no configuration.</source>
        <translation>当前无配置。</translation>
    </message>
    <message>
        <source>The current configuration will be closed before creating a new project. . Please confirm whether to continue?</source>
        <translation>新建项目之前将关闭当前配置，是否继续？</translation>
    </message>
    <message>
        <source>The current configuration will be closed. Please confirm whether to continue?</source>
        <translation>将关闭当前配置，是否继续？</translation>
    </message>
    <message>
        <source>Config file (*.TFCC)</source>
        <translation>Config file (*.TFCC)</translation>
    </message>
    <message>
        <source>Can&apos;t open manual!</source>
        <translation>无法打开使用手册！</translation>
    </message>
    <message>
        <source>The current tool is the latest version.</source>
        <translation>当前软件已是最新版本。</translation>
    </message>
    <message>
        <source>The update list could not be read.</source>
        <translation>无法读取更新列表。</translation>
    </message>
    <message>
        <source>The signature of the update list is missing or wrong.</source>
        <translation>更新列表的签名缺失或无效。</translation>
    </message>
    <message>
        <source>Signature: not checked (this build has no key).</source>
        <translation>签名：未检查（此版本没有密钥）。</translation>
    </message>
    <message>
        <source>The update list expired on %1: it may be an old list sent again.</source>
        <translation>更新列表已于 %1 过期：可能是旧列表被重新发送。</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Infomation</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>A new version of &quot;Tickforge&quot; has been detected, do you want to download it?</source>
        <translation>检测到新版本&quot;Tickforge&quot;，是否下载？</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>选择目录</translation>
    </message>
    <message>
        <source>Download succeeded, storage location: </source>
        <translation>下载成功，位于： </translation>
    </message>
    <message>
        <source> Open Folder  </source>
        <translation> 打开文件夹  </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Recent designs</source>
        <translation>最近的设计</translation>
    </message>
    <message>
        <source>Export drawing...</source>
        <translation>导出时钟树图...</translation>
    </message>
    <message>
        <source>The design file no longer exists and is removed from the list:</source>
        <translation>设计文件已不存在，已从列表中移除：</translation>
    </message>
    <message>
        <source>Export failed!</source>
        <translation>导出失败！</translation>
    </message>
    <message>
        <source>The design file could not be read:</source>
        <translation>无法读取设计文件：</translation>
    </message>
    <message>
        <source>This series has no drawing.</source>
        <translation>该系列没有时钟树图。</translation>
    </message>
    <message>
        <source>The file could not be written:</source>
        <translation>无法写入文件：</translation>
    </message>
    <message>
        <source>Can&apos;t load the update component:
%1</source>
        <translation>无法加载更新组件：
%1</translation>
    </message>
    <message>
        <source>The update list claims to be valid until %1, more than %2 days ahead: it is refused.</source>
        <translation>更新列表声称有效期至 %1，超过 %2 天：已拒绝。</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>导出报告...</translation>
    </message>
    <message>
        <source>PNG image (*.png);;PDF document (*.pdf);;SVG drawing (*.svg)</source>
        <translation>PNG 图像 (*.png);;PDF 文档 (*.pdf);;SVG 图 (*.svg)</translation>
    </message>
    <message>
        <source>The file name must end in .png, .pdf or .svg.</source>
        <translation>文件名必须以 .png、.pdf 或 .svg 结尾。</translation>
    </message>
    <message>
        <source>HTML page (*.html);;Markdown (*.md)</source>
        <translation>HTML 页面 (*.html);;Markdown (*.md)</translation>
    </message>
    <message>
        <source>The file name must end in .html or .md.</source>
        <translation>文件名必须以 .html 或 .md 结尾。</translation>
    </message>
</context>
<context>
    <name>HttpGet</name>
    <message>
        <source>The server sent too long a line.</source>
        <translation>服务器发送的行过长。</translation>
    </message>
    <message>
        <source>The server&apos;s answer is not HTTP.</source>
        <translation>服务器的应答不是 HTTP。</translation>
    </message>
    <message>
        <source>The server sent too many header lines.</source>
        <translation>服务器发送的头部行过多。</translation>
    </message>
    <message>
        <source>The server sent a malformed header line.</source>
        <translation>服务器发送的头部行格式错误。</translation>
    </message>
    <message>
        <source>The server sent a malformed chunk.</source>
        <translation>服务器发送的数据块格式错误。</translation>
    </message>
    <message>
        <source>Connection closed</source>
        <translation>连接已关闭</translation>
    </message>
    <message>
        <source>Operation canceled</source>
        <translation>操作已取消</translation>
    </message>
</context>
<context>
    <name>HttpsDownload</name>
    <message>
        <source>Invalid URL : </source>
        <translation>无效的URL : </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Overwrite Existing File</source>
        <translation>覆盖文件</translation>
    </message>
    <message>
        <source> already exists in the current directory. Overwrite?</source>
        <translation> 文件已经存在，是否覆盖？</translation>
    </message>
    <message>
        <source>Unable to save the file </source>
        <translation>无法保存文件 </translation>
    </message>
    <message>
        <source>Download failed: </source>
        <translation>下载失败： </translation>
    </message>
    <message>
        <source>SSL Errors</source>
        <translation>SSL错误</translation>
    </message>
    <message>
        <source>One or more SSL errors has occurred: </source>
        <translation>发生SSL错误： </translation>
    </message>
    <message>
        <source>
%1</source>
        <translation>
%1</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>忽略</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>放弃</translation>
    </message>
    <message>
        <source>The expected SHA-256 checksum is not valid.</source>
        <translation>预期的SHA-256校验和无效。</translation>
    </message>
    <message>
        <source>The file exceeds the size limit.</source>
        <translation>文件超过大小限制。</translation>
    </message>
    <message>
        <source>The connection timed out.</source>
        <translation>连接超时。</translation>
    </message>
    <message>
        <source>The transfer took too long.</source>
        <translation>传输时间过长。</translation>
    </message>
    <message>
        <source>The connection ended before the whole file arrived.</source>
        <translation>连接在整个文件到达之前就已结束。</translation>
    </message>
    <message>
        <source>The server did not give the file&apos;s length, so a cut transfer could not be told from a whole one.</source>
        <translation>服务器未提供文件长度，无法区分中断的传输与完整的传输。</translation>
    </message>
    <message>
        <source>The file does not match its SHA-256 checksum.</source>
        <translation>文件与其SHA-256校验和不一致。</translation>
    </message>
    <message>
        <source>The server redirected too many times.</source>
        <translation>服务器重定向次数过多。</translation>
    </message>
    <message>
        <source>Refused a redirect to an unsupported address.</source>
        <translation>已拒绝重定向到不支持的地址。</translation>
    </message>
    <message>
        <source>Refused a redirect from HTTPS to an insecure address.</source>
        <translation>已拒绝从HTTPS重定向到不安全的地址。</translation>
    </message>
    <message>
        <source>Refused an insecure address: HTTPS is required.</source>
        <translation>已拒绝不安全的地址：需要HTTPS。</translation>
    </message>
    <message>
        <source>The server answered with status %1.</source>
        <translation>服务器返回了状态 %1。</translation>
    </message>
    <message>
        <source>The server sent the file encoded (%1: %2); only the plain file is taken.</source>
        <translation>服务器发送的文件经过编码（%1: %2）；只接受未编码的文件。</translation>
    </message>
    <message>
        <source>The saved file holds %1 bytes, but %2 were received.</source>
        <translation>保存的文件有 %1 字节，但收到了 %2 字节。</translation>
    </message>
</context>
<context>
    <name>MCUSelect_Form</name>
    <message>
        <source>MCU Select</source>
        <translation>选择MCU</translation>
    </message>
    <message>
        <source>Please select MCU:</source>
        <translation>请选择MCU:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>Model</name>
    <message>
        <source>hext input error!</source>
        <translation>hext 输入错误！</translation>
    </message>
    <message>
        <source>pll_ms input error!</source>
        <translation>pll_ms输入错误！</translation>
    </message>
    <message>
        <source>pll_ns input error!</source>
        <translation>pll_ns 输入错误！</translation>
    </message>
    <message>
        <source>%1 takes the %2 clock, which the design does not enable</source>
        <translation>%1 选择了 %2 时钟，但设计中未启用该时钟</translation>
    </message>
    <message>
        <source>Can not support sclk greater than</source>
        <translation>不支持sclk大于</translation>
    </message>
    <message>
        <source>Can not support apb1clk greater than</source>
        <translation>不支持apb1clk大于</translation>
    </message>
    <message>
        <source>Can not support apb2clk greater than</source>
        <translation>不支持apb2clk大于</translation>
    </message>
    <message>
        <source>Can not support pll clock greater than</source>
        <translation>不支持pll clock大于</translation>
    </message>
    <message>
        <source>ertcdiv</source>
        <translation>ertcdiv</translation>
    </message>
    <message>
        <source>bypass</source>
        <translation>bypass</translation>
    </message>
    <message>
        <source>hext(4-25MHz)</source>
        <translation>hext(4-25MHz)</translation>
    </message>
    <message>
        <source>hextdiv</source>
        <translation>hextdiv</translation>
    </message>
    <message>
        <source>pllhextdiv</source>
        <translation>pllhextdiv</translation>
    </message>
    <message>
        <source>pll_mode</source>
        <translation>pll_mode</translation>
    </message>
    <message>
        <source>pll_mult</source>
        <translation>pll_mult</translation>
    </message>
    <message>
        <source>pll_ms</source>
        <translation>pll_ms</translation>
    </message>
    <message>
        <source>pll_ns</source>
        <translation>pll_ns</translation>
    </message>
    <message>
        <source>pll_fr</source>
        <translation>pll_fr</translation>
    </message>
    <message>
        <source>sclk select</source>
        <translation>sclk select</translation>
    </message>
    <message>
        <source>ahbdiv</source>
        <translation>ahbdiv</translation>
    </message>
    <message>
        <source>apb1div</source>
        <translation>apb1div</translation>
    </message>
    <message>
        <source>apb2div</source>
        <translation>apb2div</translation>
    </message>
    <message>
        <source>usbdiv</source>
        <translation>usbdiv</translation>
    </message>
    <message>
        <source>hick to usb</source>
        <translation>hick to usb</translation>
    </message>
    <message>
        <source>to usb</source>
        <translation>to usb</translation>
    </message>
    <message>
        <source>hick to sclk</source>
        <translation>hick to sclk</translation>
    </message>
    <message>
        <source>adcdiv</source>
        <translation>adcdiv</translation>
    </message>
    <message>
        <source>select pin</source>
        <translation>select pin</translation>
    </message>
    <message>
        <source>clockoutdiv</source>
        <translation>clockoutdiv</translation>
    </message>
    <message>
        <source>usart1 clock sel</source>
        <translation>usart1 clock sel</translation>
    </message>
    <message>
        <source>usart2 clock sel</source>
        <translation>usart2 clock sel</translation>
    </message>
    <message>
        <source>i2c1 clock sel</source>
        <translation>i2c1 clock sel</translation>
    </message>
    <message>
        <source>disable</source>
        <translation>disable</translation>
    </message>
    <message>
        <source>enable</source>
        <translation>enable</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>flexible</source>
        <translation>flexible</translation>
    </message>
    <message>
        <source>sclk input error!</source>
        <translation>sclk 输入错误！</translation>
    </message>
    <message>
        <source>pll_ms input error, is it adjusted automatically?</source>
        <translation>pll_ms 输入错误，是否自动调整？</translation>
    </message>
    <message>
        <source>pll_ns input error, is it adjusted automatically?</source>
        <translation>pll_ns 输入错误，是否自动调整？</translation>
    </message>
    <message>
        <source>sclk(MHz)</source>
        <translation>sclk(MHz)</translation>
    </message>
    <message>
        <source>sclk(4 - %1MHz)</source>
        <translation>sclk(4 - %1MHz)</translation>
    </message>
    <message>
        <source>clkout1 select pin</source>
        <translation>clkout1 选择引脚</translation>
    </message>
    <message>
        <source>clkout2 select pin</source>
        <translation>clkout2 选择引脚</translation>
    </message>
    <message>
        <source>lext bypass</source>
        <translation>lext 旁路</translation>
    </message>
    <message>
        <source>hext bypass</source>
        <translation>hext 旁路</translation>
    </message>
    <message>
        <source>IN</source>
        <translation>IN</translation>
    </message>
    <message>
        <source>OUT</source>
        <translation>OUT</translation>
    </message>
    <message>
        <source>pll (MHz)</source>
        <translation>pll (MHz)</translation>
    </message>
    <message>
        <source>CRM_PLLCFG: </source>
        <translation>CRM_PLLCFG: </translation>
    </message>
    <message>
        <source>i2s (MHz)</source>
        <translation>i2s (MHz)</translation>
    </message>
    <message>
        <source>apb1 peripheral (MHz)</source>
        <translation>apb1 peripheral (MHz)</translation>
    </message>
    <message>
        <source>apb1 tmr (MHz)</source>
        <translation>apb1 tmr (MHz)</translation>
    </message>
    <message>
        <source>apb2 peripheral (MHz)</source>
        <translation>apb2 peripheral (MHz)</translation>
    </message>
    <message>
        <source>apb2 tmr (MHz)</source>
        <translation>apb2 tmr (MHz)</translation>
    </message>
    <message>
        <source>adc (MHz)</source>
        <translation>adc (MHz)</translation>
    </message>
    <message>
        <source>(kHz)</source>
        <translation>(kHz)</translation>
    </message>
    <message>
        <source>(MHz)</source>
        <translation>(MHz)</translation>
    </message>
    <message>
        <source>USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm whether to continue?</source>
        <translation>USB 时钟必须为48MHz，当前配置的USB时钟错误。请确认是否继续？</translation>
    </message>
    <message>
        <source>The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong.  please confirm whether to continue?</source>
        <translation>ADC 时钟最大为28MHz，当前配置的ADC时钟错误。请确认是否继续？</translation>
    </message>
    <message>
        <source>The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong, please confirm whether to continue?</source>
        <translation>ADC 时钟最大为28MHz，当前配置的ADC时钟错误。请确认是否继续？</translation>
    </message>
    <message>
        <source>pll input clock source range 2-16MHz!</source>
        <translation>pll输入时钟源范围2-16MHz！</translation>
    </message>
    <message>
        <source>Can not support pll clock less than</source>
        <translation>不支持pll clock小于</translation>
    </message>
    <message>
        <source>rtcsel</source>
        <translation>rtcsel</translation>
    </message>
    <message>
        <source>to rtc(kHz)</source>
        <translation>to rtc(kHz)</translation>
    </message>
    <message>
        <source>ertcsel</source>
        <translation>ertcsel</translation>
    </message>
    <message>
        <source>to ertc(kHz)</source>
        <translation>to ertc(kHz)</translation>
    </message>
    <message>
        <source>no clk</source>
        <translation>no clk</translation>
    </message>
    <message>
        <source>lick</source>
        <translation>lick</translation>
    </message>
    <message>
        <source>lext</source>
        <translation>lext</translation>
    </message>
    <message>
        <source>hick</source>
        <translation>hick</translation>
    </message>
    <message>
        <source>hick48</source>
        <translation>hick48</translation>
    </message>
    <message>
        <source>hext</source>
        <translation>hext</translation>
    </message>
    <message>
        <source>sclk</source>
        <translation>sclk</translation>
    </message>
    <message>
        <source>usb</source>
        <translation>usb</translation>
    </message>
    <message>
        <source>adcclk</source>
        <translation>adcclk</translation>
    </message>
    <message>
        <source>pll</source>
        <translation>pll</translation>
    </message>
    <message>
        <source>pll/2</source>
        <translation>pll/2</translation>
    </message>
    <message>
        <source>pll/4</source>
        <translation>pll/4</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>PA8</source>
        <translation>PA8</translation>
    </message>
    <message>
        <source>PA9</source>
        <translation>PA9</translation>
    </message>
    <message>
        <source>PB13</source>
        <translation>PB13</translation>
    </message>
    <message>
        <source>PE4</source>
        <translation>PE4</translation>
    </message>
    <message>
        <source>PC9</source>
        <translation>PC9</translation>
    </message>
    <message>
        <source>systick(MHz)</source>
        <translation>systick(MHz)</translation>
    </message>
    <message>
        <source>sdio (MHz)</source>
        <translation>sdio (MHz)</translation>
    </message>
    <message>
        <source>dma (MHz)</source>
        <translation>dma (MHz)</translation>
    </message>
    <message>
        <source>xmc (MHz)</source>
        <translation>xmc (MHz)</translation>
    </message>
    <message>
        <source>gpio (MHz)</source>
        <translation>gpio (MHz)</translation>
    </message>
    <message>
        <source>dvp (MHz)</source>
        <translation>dvp (MHz)</translation>
    </message>
    <message>
        <source>qspi (MHz)</source>
        <translation>qspi (MHz)</translation>
    </message>
    <message>
        <source>emac (MHz)</source>
        <translation>emac (MHz)</translation>
    </message>
    <message>
        <source>Useage limited:</source>
        <translation>Useage limited:</translation>
    </message>
    <message>
        <source>Temperature range - 40~85 degree. </source>
        <translation>Temperature range - 40~85 degree. </translation>
    </message>
    <message>
        <source>VDD must over 3.0V. </source>
        <translation>VDD must over 3.0V. </translation>
    </message>
    <message>
        <source>lext(kHz)</source>
        <translation>lext(kHz)</translation>
    </message>
    <message>
        <source>to wdt(kHz)</source>
        <translation>to wdt(kHz)</translation>
    </message>
    <message>
        <source>List</source>
        <translation>List</translation>
    </message>
</context>
<context>
    <name>ProgressDialog</name>
    <message>
        <source>Download Progress</source>
        <translation>下载进度</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>正在下载 </translation>
    </message>
    <message>
        <source>%1.</source>
        <translation>%1.</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source> file already exists.Do you want to replace it ? </source>
        <translation> 文件已经存在，是否替换？ </translation>
    </message>
    <message>
        <source>Do this for the next conflicts</source>
        <translation>为之后的冲突执行此操作</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
</context>
<context>
    <name>QXMCUPLL</name>
    <message>
        <source>Save</source>
        <translation>保存</translation>
    </message>
    <message>
        <source>Config file (*.TFCC)</source>
        <translation>Config file (*.TFCC)</translation>
    </message>
    <message>
        <source>Save file succeed!</source>
        <translation>文件保存成功!</translation>
    </message>
    <message>
        <source>Save file failed!</source>
        <translation>文件保存失败!</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>选择目录</translation>
    </message>
    <message>
        <source>Generate code finished!  Files:</source>
        <translation>代码产生完成！ 文件如下：</translation>
    </message>
    <message>
        <source>Generate code failed!</source>
        <translation>代码产生失败！</translation>
    </message>
    <message>
        <source> Open Folder  </source>
        <translation> 打开文件夹  </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>CRM_PLLCFG : </source>
        <translation>CRM_PLLCFG : </translation>
    </message>
    <message>
        <source>pllrcs</source>
        <translation>pllrcs</translation>
    </message>
    <message>
        <source>Clock tree</source>
        <translation>时钟树</translation>
    </message>
</context>
<context>
    <name>QXPLLConfig</name>
    <message>
        <source>Zoom in</source>
        <translation>放大</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>缩小</translation>
    </message>
    <message>
        <source>Zoom Reset</source>
        <translation>重置</translation>
    </message>
    <message>
        <source>Config Reset</source>
        <translation>配置重置</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>确定</translation>
    </message>
    <message>
        <source>The current configuration will be reset. Please confirm whether to continue?</source>
        <translation>将重置当前项目，是否继续？</translation>
    </message>
    <message>
        <source>MCU in file not supported.</source>
        <translation>不支持文件中MCU。</translation>
    </message>
    <message>
        <source>This series is not available in this version.</source>
        <translation>此版本暂不支持该系列。</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>More tools</source>
        <translation>更多工具</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>Restore design</source>
        <translation>恢复设计</translation>
    </message>
    <message>
        <source>none (a new design)</source>
        <translation>无（新建的设计）</translation>
    </message>
    <message>
        <source>Tickforge did not close properly, and a design had unsaved edits. Restore it?

Series: %1
Design file: %2
Last edited: %3</source>
        <translation>Tickforge 上次未正常关闭，有一个设计的修改尚未保存。是否恢复？

系列：%1
设计文件：%2
最后编辑：%3</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>恢复</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>丢弃</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>稍后</translation>
    </message>
</context>
<context>
    <name>SafeSave</name>
    <message>
        <source>The disk is full.</source>
        <translation>磁盘已满。</translation>
    </message>
</context>
<context>
    <name>VersionAbout</name>
    <message>
        <source>About</source>
        <translation>关于</translation>
    </message>
    <message>
        <source>Clock tree configuration and code generation for QX microcontrollers.</source>
        <translation>QX系列微控制器的时钟树配置与代码生成工具。</translation>
    </message>
    <message>
        <source>Copyright (C) the Tickforge developers. All rights reserved.</source>
        <translation>版权所有 (C) Tickforge 开发者。保留所有权利。</translation>
    </message>
</context>
</TS>
