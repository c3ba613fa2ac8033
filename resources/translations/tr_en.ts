<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>CliHelp</name>
    <message>
        <source>The factory design of SERIES, exactly as Save writes it right after New,
to FILE or to standard output. An existing FILE is kept unless --overwrite
is given.</source>
        <translation>The factory design of SERIES, exactly as Save writes it right after New,
to FILE or to standard output. An existing FILE is kept unless --overwrite
is given.</translation>
    </message>
    <message>
        <source>Opens FILE as Open does and prints every clock-record field in field order,
as &quot;name value&quot; lines or, with --json, as one object (plus &quot;series&quot; and
&quot;findings&quot;, as check --json gives them).</source>
        <translation>Opens FILE as Open does and prints every clock-record field in field order,
as &quot;name value&quot; lines or, with --json, as one object (plus &quot;series&quot; and
&quot;findings&quot;, as check --json gives them).</translation>
    </message>
    <message>
        <source>Opens FILE and runs the checks before saving and generating: the inputs,
then the series&apos; limits on the recomputed tree. Prints &quot;error: TEXT&quot; for
a refusal and &quot;warning: TEXT&quot; for a warning, a value the file held that
was read differently included (&quot;pllms &quot;16&quot; read as 1&quot;). With --json:
{&quot;series&quot;, &quot;status&quot;, &quot;findings&quot;: [{&quot;severity&quot;, &quot;kind&quot;, &quot;text&quot;,
&quot;field&quot;, &quot;value&quot;, &quot;allowed&quot;}]}, kind being input, limit or load.</source>
        <translation>Opens FILE and runs the checks before saving and generating: the inputs,
then the series&apos; limits on the recomputed tree. Prints &quot;error: TEXT&quot; for
a refusal and &quot;warning: TEXT&quot; for a warning, a value the file held that
was read differently included (&quot;pllms &quot;16&quot; read as 1&quot;). With --json:
{&quot;series&quot;, &quot;status&quot;, &quot;findings&quot;: [{&quot;severity&quot;, &quot;kind&quot;, &quot;text&quot;,
&quot;field&quot;, &quot;value&quot;, &quot;allowed&quot;}]}, kind being input, limit or load.</translation>
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
        <translation>Opens and checks FILE, creates DIR/inc and DIR/src and writes the four
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
usage error before anything is written.</translation>
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
        <translation>The PLL the program chooses when the system clock MHZ is typed with the PLL
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
too; exit 8 when there is none. A usage error on series without USB.</translation>
    </message>
    <message>
        <source>done</source>
        <translation>done</translation>
    </message>
    <message>
        <source>usage error or bad value, unreadable or unsupported file</source>
        <translation>usage error or bad value, unreadable or unsupported file</translation>
    </message>
    <message>
        <source>stopped at a warning, a value read differently from the file included
(a refusal outranks a warning)</source>
        <translation>stopped at a warning, a value read differently from the file included
(a refusal outranks a warning)</translation>
    </message>
    <message>
        <source>an output file exists (--overwrite replaces it)</source>
        <translation>an output file exists (--overwrite replaces it)</translation>
    </message>
    <message>
        <source>update failed: network, TLS, HTTP status, size, unreadable list or signature</source>
        <translation>update failed: network, TLS, HTTP status, size, unreadable list or signature</translation>
    </message>
    <message>
        <source>generate --check: a generated file differs from the design or is missing</source>
        <translation>generate --check: a generated file differs from the design or is missing</translation>
    </message>
    <message>
        <source>solve --usb48: no factor set meets the constraint</source>
        <translation>solve --usb48: no factor set meets the constraint</translation>
    </message>
    <message>
        <source>update: a newer version exists (without --download)</source>
        <translation>update: a newer version exists (without --download)</translation>
    </message>
    <message>
        <source>update: stopped by SIGINT (Ctrl+C); nothing of the run is left</source>
        <translation>update: stopped by SIGINT (Ctrl+C); nothing of the run is left</translation>
    </message>
    <message>
        <source>update: stopped by SIGTERM; nothing of the run is left</source>
        <translation>update: stopped by SIGTERM; nothing of the run is left</translation>
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
        <translation>Reads the update list (at URL, else the program&apos;s own address) and prints
its version, the program&apos;s, and whether it is newer. With --download, a
newer package is saved into DIR (a file of its name is replaced only with
the option --overwrite; with --sha256 it must have that checksum). A
certificate error is a failure: nothing is asked. A build without the
maker&apos;s key adds the line &quot;signature: not checked (this build has no key)&quot;.
Stopped by SIGINT or SIGTERM, it removes its temporary files and the partial
package (exit 130 or 143).</translation>
    </message>
    <message>
        <source>generation or rendering failed, or update could not save a file (disk full)</source>
        <translation>generation or rendering failed, or update could not save a file (disk full)</translation>
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
        <translation>Searches every setting of FILE&apos;s series (sources, HEXT divider, PLL mode
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
has them adc, usb, clkout (QXC330, QXC335: clkout1, clkout2).</translation>
    </message>
    <message>
        <source>refused: a limit check or invalid design content (nothing written);
solve FILE: no design meets every want</source>
        <translation>refused: a limit check or invalid design content (nothing written);
solve FILE: no design meets every want</translation>
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
        <translation>Opens FILE as Open does, applies the edits in the order given, each as the
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
crystal had to change when it was opened, unless an edit sets hext.</translation>
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
        <translation>Opens FILE as Open does and prints every control and value of its tree as
a fresh window shows it, in the order they lie over the drawing, one line
each: name, role (combo, radio, entry, label, button), text (a choice: its
item; radios without a caption: the stored value), colour (in limit, over
limit, gray, pending, refused, in use, plain), enabled or disabled, shown
or hidden, separated by tabs. With --json: {&quot;series&quot;, &quot;controls&quot;: [...]},
one object per control with its caption, items and which can be chosen,
tooltip and accessible value too.</translation>
    </message>
    <message>
        <source>Runs tickforge-render, the one program that paints, which the desktop
package &quot;tickforge&quot; installs (found beside tickforge-cli, else on PATH;
without it: exit 1). It opens FILE as Open does and writes its clock tree
as the program shows it (drawing, controls and values, lists folded in) at
the drawing&apos;s full size, as Project &gt; Export drawing does: a PNG image or a
one-page vector PDF (lines, shapes and searchable texts). Prints OUT. An
existing OUT is kept unless --overwrite is given.</source>
        <translation>Runs tickforge-render, the one program that paints, which the desktop
package &quot;tickforge&quot; installs (found beside tickforge-cli, else on PATH;
without it: exit 1). It opens FILE as Open does and writes its clock tree
as the program shows it (drawing, controls and values, lists folded in) at
the drawing&apos;s full size, as Project &gt; Export drawing does: a PNG image or a
one-page vector PDF (lines, shapes and searchable texts). Prints OUT. An
existing OUT is kept unless --overwrite is given.</translation>
    </message>
    <message>
        <source>The drawing as an SVG document of lines, shapes and texts, written by
tickforge-cli itself (no GUI libraries needed).</source>
        <translation>The drawing as an SVG document of lines, shapes and texts, written by
tickforge-cli itself (no GUI libraries needed).</translation>
    </message>
    <message>
        <source>What changed from A to B, in tree order: &quot;setting ELEMENT: OLD → NEW&quot; for
each stored setting, then &quot;clock NAME: OLD → NEW (limit L, now over)&quot;
for each clock whose value changes. As diff(1): exit 0 and no output when
the designs are the same, 1 when they differ, 2 for designs of different
series, a file that cannot be opened or a usage error.</source>
        <translation>What changed from A to B, in tree order: &quot;setting ELEMENT: OLD → NEW&quot; for
each stored setting, then &quot;clock NAME: OLD → NEW (limit L, now over)&quot;
for each clock whose value changes. As diff(1): exit 0 and no output when
the designs are the same, 1 when they differ, 2 for designs of different
series, a file that cannot be opened or a usage error.</translation>
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
        <translation>A review page of the design FILE for readers without the program: series
and file; every clock of the tree with its value, limit, margin and path
from its source (&quot;HEXT 8 MHz → PLL /1 ×72 /2 → SCLK 288 MHz&quot;); every
setting as the file stores it and as the window shows it; the findings of
the checks before saving; the generated files&apos; clock summary; the drawing
(embedded in HTML, written beside OUT.md as OUT.svg). Markdown on standard
output without -o. --lang picks the language of the texts (default en).
Made by tickforge-cli alone, without the GUI libraries.</translation>
    </message>
</context>
<context>
    <name>Codegen</name>
    <message>
        <source>Creating &quot;inc&quot; folder error!</source>
        <translation>Creating &quot;inc&quot; folder error!</translation>
    </message>
    <message>
        <source>Creating &quot;src&quot; folder error!</source>
        <translation>Creating &quot;src&quot; folder error!</translation>
    </message>
</context>
<context>
    <name>DesignReport</name>
    <message>
        <source>exactly %1</source>
        <translation>exactly %1</translation>
    </message>
    <message>
        <source>none</source>
        <translation>none</translation>
    </message>
    <message>
        <source>off by %1</source>
        <translation>off by %1</translation>
    </message>
    <message>
        <source>under by %1</source>
        <translation>under by %1</translation>
    </message>
    <message>
        <source>over by %1</source>
        <translation>over by %1</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>Clock</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>Limit</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>Margin</source>
        <translation>Margin</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Path</translation>
    </message>
    <message>
        <source>Setting</source>
        <translation>Setting</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Stored</source>
        <translation>Stored</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Shown</translation>
    </message>
    <message>
        <source>Refused: %1</source>
        <translation>Refused: %1</translation>
    </message>
    <message>
        <source>Warning: %1</source>
        <translation>Warning: %1</translation>
    </message>
    <message>
        <source>None: the design can be saved and generated as it is.</source>
        <translation>None: the design can be saved and generated as it is.</translation>
    </message>
    <message>
        <source>The checks refuse this design: no files are generated.</source>
        <translation>The checks refuse this design: no files are generated.</translation>
    </message>
    <message>
        <source>Clock design report</source>
        <translation>Clock design report</translation>
    </message>
    <message>
        <source>Series: %1</source>
        <translation>Series: %1</translation>
    </message>
    <message>
        <source>File: %1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>Clocks</source>
        <translation>Clocks</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Settings</translation>
    </message>
    <message>
        <source>Findings of the checks before saving</source>
        <translation>Findings of the checks before saving</translation>
    </message>
    <message>
        <source>Clock summary of the generated files</source>
        <translation>Clock summary of the generated files</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Drawing</translation>
    </message>
    <message>
        <source>Clock tree</source>
        <translation>Clock tree</translation>
    </message>
</context>
<context>
    <name>FormConfiguration</name>
    <message>
        <source>New</source>
        <translation>New</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Chinese</source>
        <translation>Chinese</translation>
    </message>
    <message>
        <source>Generate code</source>
        <translation>Generate code</translation>
    </message>
    <message>
        <source>Open Manual</source>
        <translation>Open Manual</translation>
    </message>
    <message>
        <source>New version download</source>
        <translation>New version download</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Project</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>Clock Configuration</source>
        <translation>Clock Configuration</translation>
    </message>
    <message>
        <source>---</source>
        <translation>---</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Currently no configuration.</source>
        <translation>Currently no configuration.</translation>
    </message>
    <message>
        <source>The current configuration will be closed before creating a new project. . Please confirm whether to continue?</source>
        <translation>The current configuration will be closed before creating a new project. Please confirm whether to continue?</translation>
    </message>
    <message>
        <source>The current configuration will be closed. Please confirm whether to continue?</source>
        <translation>The current configuration will be closed. Please confirm whether to continue?</translation>
    </message>
    <message>
        <source>Config file (*.TFCC)</source>
        <translation>Config file (*.TFCC)</translation>
    </message>
    <message>
        <source>Can&apos;t open manual!</source>
        <translation>Can&apos;t open user manual!</translation>
    </message>
    <message>
        <source>The current tool is the latest version.</source>
        <translation>The current tool is the latest version.</translation>
    </message>
    <message>
        <source>The update list could not be read.</source>
        <translation>The update list could not be read.</translation>
    </message>
    <message>
        <source>The signature of the update list is missing or wrong.</source>
        <translation>The signature of the update list is missing or wrong.</translation>
    </message>
    <message>
        <source>Signature: not checked (this build has no key).</source>
        <translation>Signature: not checked (this build has no key).</translation>
    </message>
    <message>
        <source>The update list expired on %1: it may be an old list sent again.</source>
        <translation>The update list expired on %1: it may be an old list sent again.</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Infomation</source>
        <translation>Infomation</translation>
    </message>
    <message>
        <source>A new version of &quot;Tickforge&quot; has been detected, do you want to download it?</source>
        <translation>A new version of &quot;Tickforge&quot; has been detected, do you want to download it?</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>Select directory</translation>
    </message>
    <message>
        <source>Download succeeded, storage location: </source>
        <translation>Download succeeded, storage location: </translation>
    </message>
    <message>
        <source> Open Folder  </source>
        <translation> Open Folder  </translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Recent designs</source>
        <translation>Recent designs</translation>
    </message>
    <message>
        <source>Export drawing...</source>
        <translation>Export drawing...</translation>
    </message>
    <message>
        <source>The design file no longer exists and is removed from the list:</source>
        <translation>The design file no longer exists and is removed from the list:</translation>
    </message>
    <message>
        <source>Export failed!</source>
        <translation>Export failed!</translation>
    </message>
    <message>
        <source>The design file could not be read:</source>
        <translation>The design file could not be read:</translation>
    </message>
    <message>
        <source>This series has no drawing.</source>
        <translation>This series has no drawing.</translation>
    </message>
    <message>
        <source>The file could not be written:</source>
        <translation>The file could not be written:</translation>
    </message>
    <message>
        <source>Can&apos;t load the update component:
%1</source>
        <translation>Can&apos;t load the update component:
%1</translation>
    </message>
    <message>
        <source>The update list claims to be valid until %1, more than %2 days ahead: it is refused.</source>
        <translation>The update list claims to be valid until %1, more than %2 days ahead: it is refused.</translation>
    </message>
    <message>
        <source>Export report...</source>
        <translation>Export report...</translation>
    </message>
    <message>
        <source>PNG image (*.png);;PDF document (*.pdf);;SVG drawing (*.svg)</source>
        <translation>PNG image (*.png);;PDF document (*.pdf);;SVG drawing (*.svg)</translation>
    </message>
    <message>
        <source>The file name must end in .png, .pdf or .svg.</source>
        <translation>The file name must end in .png, .pdf or .svg.</translation>
    </message>
    <message>
        <source>HTML page (*.html);;Markdown (*.md)</source>
        <translation>HTML page (*.html);;Markdown (*.md)</translation>
    </message>
    <message>
        <source>The file name must end in .html or .md.</source>
        <translation>The file name must end in .html or .md.</translation>
    </message>
</context>
<context>
    <name>HttpGet</name>
    <message>
        <source>The server sent too long a line.</source>
        <translation>The server sent too long a line.</translation>
    </message>
    <message>
        <source>The server&apos;s answer is not HTTP.</source>
        <translation>The server&apos;s answer is not HTTP.</translation>
    </message>
    <message>
        <source>The server sent too many header lines.</source>
        <translation>The server sent too many header lines.</translation>
    </message>
    <message>
        <source>The server sent a malformed header line.</source>
        <translation>The server sent a malformed header line.</translation>
    </message>
    <message>
        <source>The server sent a malformed chunk.</source>
        <translation>The server sent a malformed chunk.</translation>
    </message>
    <message>
        <source>Connection closed</source>
        <translation>Connection closed</translation>
    </message>
    <message>
        <source>Operation canceled</source>
        <translation>Operation canceled</translation>
    </message>
</context>
<context>
    <name>HttpsDownload</name>
    <message>
        <source>Invalid URL : </source>
        <translation>Invalid URL : </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Overwrite Existing File</source>
        <translation>Overwrite Existing File</translation>
    </message>
    <message>
        <source> already exists in the current directory. Overwrite?</source>
        <translation> already exists in the current directory. Overwrite?</translation>
    </message>
    <message>
        <source>Unable to save the file </source>
        <translation>Unable to save the file </translation>
    </message>
    <message>
        <source>Download failed: </source>
        <translation>Download failed: </translation>
    </message>
    <message>
        <source>SSL Errors</source>
        <translation>SSL Errors</translation>
    </message>
    <message>
        <source>One or more SSL errors has occurred: </source>
        <translation>One or more SSL errors has occurred: </translation>
    </message>
    <message>
        <source>
%1</source>
        <translation>
%1</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignore</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Abort</translation>
    </message>
    <message>
        <source>The expected SHA-256 checksum is not valid.</source>
        <translation>The expected SHA-256 checksum is not valid.</translation>
    </message>
    <message>
        <source>The file exceeds the size limit.</source>
        <translation>The file exceeds the size limit.</translation>
    </message>
    <message>
        <source>The connection timed out.</source>
        <translation>The connection timed out.</translation>
    </message>
    <message>
        <source>The transfer took too long.</source>
        <translation>The transfer took too long.</translation>
    </message>
    <message>
        <source>The connection ended before the whole file arrived.</source>
        <translation>The connection ended before the whole file arrived.</translation>
    </message>
    <message>
        <source>The server did not give the file&apos;s length, so a cut transfer could not be told from a whole one.</source>
        <translation>The server did not give the file&apos;s length, so a cut transfer could not be told from a whole one.</translation>
    </message>
    <message>
        <source>The file does not match its SHA-256 checksum.</source>
        <translation>The file does not match its SHA-256 checksum.</translation>
    </message>
    <message>
        <source>The server redirected too many times.</source>
        <translation>The server redirected too many times.</translation>
    </message>
    <message>
        <source>Refused a redirect to an unsupported address.</source>
        <translation>Refused a redirect to an unsupported address.</translation>
    </message>
    <message>
        <source>Refused a redirect from HTTPS to an insecure address.</source>
        <translation>Refused a redirect from HTTPS to an insecure address.</translation>
    </message>
    <message>
        <source>Refused an insecure address: HTTPS is required.</source>
        <translation>Refused an insecure address: HTTPS is required.</translation>
    </message>
    <message>
        <source>The server answered with status %1.</source>
        <translation>The server answered with status %1.</translation>
    </message>
    <message>
        <source>The server sent the file encoded (%1: %2); only the plain file is taken.</source>
        <translation>The server sent the file encoded (%1: %2); only the plain file is taken.</translation>
    </message>
    <message>
        <source>The saved file holds %1 bytes, but %2 were received.</source>
        <translation>The saved file holds %1 bytes, but %2 were received.</translation>
    </message>
</context>
<context>
    <name>MCUSelect_Form</name>
    <message>
        <source>MCU Select</source>
        <translation>MCU Select</translation>
    </message>
    <message>
        <source>Please select MCU:</source>
        <translation>Please select MCU:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>Model</name>
    <message>
        <source>hext input error!</source>
        <translation>hext input error!</translation>
    </message>
    <message>
        <source>pll_ms input error!</source>
        <translation>pll_ms input error!</translation>
    </message>
    <message>
        <source>pll_ns input error!</source>
        <translation>pll_ns input error!</translation>
    </message>
    <message>
        <source>%1 takes the %2 clock, which the design does not enable</source>
        <translation>%1 takes the %2 clock, which the design does not enable</translation>
    </message>
    <message>
        <source>Can not support sclk greater than</source>
        <translation>Can not support sclk greater than</translation>
    </message>
    <message>
        <source>Can not support apb1clk greater than</source>
        <translation>Can not support apb1clk greater than</translation>
    </message>
    <message>
        <source>Can not support apb2clk greater than</source>
        <translation>Can not support apb2clk greater than</translation>
    </message>
    <message>
        <source>Can not support pll clock greater than</source>
        <translation>Can not support pll clock greater than</translation>
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
        <translation>sclk input error!</translation>
    </message>
    <message>
        <source>pll_ms input error, is it adjusted automatically?</source>
        <translation>pll_ms input error, is it adjusted automatically?</translation>
    </message>
    <message>
        <source>pll_ns input error, is it adjusted automatically?</source>
        <translation>pll_ns input error, is it adjusted automatically?</translation>
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
        <translation>clkout1 select pin</translation>
    </message>
    <message>
        <source>clkout2 select pin</source>
        <translation>clkout2 select pin</translation>
    </message>
    <message>
        <source>lext bypass</source>
        <translation>lext bypass</translation>
    </message>
    <message>
        <source>hext bypass</source>
        <translation>hext bypass</translation>
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
        <translation>USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm whether to continue?</translation>
    </message>
    <message>
        <source>The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong.  please confirm whether to continue?</source>
        <translation>The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong.  please confirm whether to continue?</translation>
    </message>
    <message>
        <source>The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong, please confirm whether to continue?</source>
        <translation>The maximum ADC clock is 28 MHz. The currently configured ADC clock is wrong, please confirm whether to continue?</translation>
    </message>
    <message>
        <source>pll input clock source range 2-16MHz!</source>
        <translation>pll input clock source range 2-16MHz!</translation>
    </message>
    <message>
        <source>Can not support pll clock less than</source>
        <translation>Can not support pll clock less than</translation>
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
        <translation>Download Progress</translation>
    </message>
    <message>
        <source>Downloading </source>
        <translation>Downloading </translation>
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
        <translation>Warning</translation>
    </message>
    <message>
        <source> file already exists.Do you want to replace it ? </source>
        <translation> file already exists.Do you want to replace it ? </translation>
    </message>
    <message>
        <source>Do this for the next conflicts</source>
        <translation>Do this for the next conflicts</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>QXMCUPLL</name>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Config file (*.TFCC)</source>
        <translation>Config file (*.TFCC)</translation>
    </message>
    <message>
        <source>Save file succeed!</source>
        <translation>Save file succeed!</translation>
    </message>
    <message>
        <source>Save file failed!</source>
        <translation>Save file failed!</translation>
    </message>
    <message>
        <source>Select directory</source>
        <translation>Select directory</translation>
    </message>
    <message>
        <source>Generate code finished!  Files:</source>
        <translation>Generate code finished!  Files:</translation>
    </message>
    <message>
        <source>Generate code failed!</source>
        <translation>Generate code failed!</translation>
    </message>
    <message>
        <source> Open Folder  </source>
        <translation> Open Folder  </translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Error</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
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
        <translation>Clock tree</translation>
    </message>
</context>
<context>
    <name>QXPLLConfig</name>
    <message>
        <source>Zoom in</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Zoom Reset</source>
        <translation>Zoom Reset</translation>
    </message>
    <message>
        <source>Config Reset</source>
        <translation>Config Reset</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Yes</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Ok</source>
        <translation>Ok</translation>
    </message>
    <message>
        <source>The current configuration will be reset. Please confirm whether to continue?</source>
        <translation>The current configuration will be reset. Please confirm whether to continue?</translation>
    </message>
    <message>
        <source>MCU in file not supported.</source>
        <translation>MCU in file not supported.</translation>
    </message>
    <message>
        <source>This series is not available in this version.</source>
        <translation>This series is not available in this version.</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>More tools</source>
        <translation>More tools</translation>
    </message>
</context>
<context>
    <name>RecoveryStore</name>
    <message>
        <source>Restore design</source>
        <translation>Restore design</translation>
    </message>
    <message>
        <source>none (a new design)</source>
        <translation>none (a new design)</translation>
    </message>
    <message>
        <source>Tickforge did not close properly, and a design had unsaved edits. Restore it?

Series: %1
Design file: %2
Last edited: %3</source>
        <translation>Tickforge did not close properly, and a design had unsaved edits. Restore it?

Series: %1
Design file: %2
Last edited: %3</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Discard</translation>
    </message>
    <message>
        <source>Later</source>
        <translation>Later</translation>
    </message>
</context>
<context>
    <name>SafeSave</name>
    <message>
        <source>The disk is full.</source>
        <translation>The disk is full.</translation>
    </message>
</context>
<context>
    <name>VersionAbout</name>
    <message>
        <source>About</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Clock tree configuration and code generation for QX microcontrollers.</source>
        <translation>Clock tree configuration and code generation for QX microcontrollers.</translation>
    </message>
    <message>
        <source>Copyright (C) the Tickforge developers. All rights reserved.</source>
        <translation>Copyright (C) the Tickforge developers. All rights reserved.</translation>
    </message>
</context>
</TS>
