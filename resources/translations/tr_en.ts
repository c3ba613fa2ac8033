<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
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
        <source>PNG image (*.png);;PDF document (*.pdf)</source>
        <translation>PNG image (*.png);;PDF document (*.pdf)</translation>
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
        <source>The file name must end in .png or .pdf.</source>
        <translation>The file name must end in .png or .pdf.</translation>
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
        <source>The server sent a compressed reply.</source>
        <translation>The server sent a compressed reply.</translation>
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
        <source>USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm whether to continue?</source>
        <translation>USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm whether to continue?</translation>
    </message>
    <message>
        <source>hext input error!</source>
        <translation>hext input error!</translation>
    </message>
    <message>
        <source>sclk input error!</source>
        <translation>sclk input error!</translation>
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
        <source>pll_ms input error, is it adjusted automatically?</source>
        <translation>pll_ms input error, is it adjusted automatically?</translation>
    </message>
    <message>
        <source>pll_ns input error, is it adjusted automatically?</source>
        <translation>pll_ns input error, is it adjusted automatically?</translation>
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
        <source>Creating &quot;inc&quot; folder error!</source>
        <translation>Creating &quot;inc&quot; folder error!</translation>
    </message>
    <message>
        <source>Creating &quot;src&quot; folder error!</source>
        <translation>Creating &quot;src&quot; folder error!</translation>
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
        <source>disable</source>
        <translation>disable</translation>
    </message>
    <message>
        <source>enable</source>
        <translation>enable</translation>
    </message>
    <message>
        <source>lick</source>
        <translation>lick</translation>
    </message>
    <message>
        <source>lext(kHz)</source>
        <translation>lext(kHz)</translation>
    </message>
    <message>
        <source>bypass</source>
        <translation>bypass</translation>
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
        <source>hext(4-25MHz)</source>
        <translation>hext(4-25MHz)</translation>
    </message>
    <message>
        <source>hick</source>
        <translation>hick</translation>
    </message>
    <message>
        <source>to wdt(kHz)</source>
        <translation>to wdt(kHz)</translation>
    </message>
    <message>
        <source>ertcdiv</source>
        <translation>ertcdiv</translation>
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
        <source>hick to sclk</source>
        <translation>hick to sclk</translation>
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
        <source>CRM_PLLCFG : </source>
        <translation>CRM_PLLCFG : </translation>
    </message>
    <message>
        <source>CRM_PLLCFG: </source>
        <translation>CRM_PLLCFG: </translation>
    </message>
    <message>
        <source>sclk select</source>
        <translation>sclk select</translation>
    </message>
    <message>
        <source>sclk(4 - %1MHz)</source>
        <translation>sclk(4 - %1MHz)</translation>
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
        <source>select pin</source>
        <translation>select pin</translation>
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
        <source>PE4</source>
        <translation>PE4</translation>
    </message>
    <message>
        <source>PC9</source>
        <translation>PC9</translation>
    </message>
    <message>
        <source>lext</source>
        <translation>lext</translation>
    </message>
    <message>
        <source>hext</source>
        <translation>hext</translation>
    </message>
    <message>
        <source>pll</source>
        <translation>pll</translation>
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
        <source>i2s (MHz)</source>
        <translation>i2s (MHz)</translation>
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
        <source>adc (MHz)</source>
        <translation>adc (MHz)</translation>
    </message>
    <message>
        <source>emac (MHz)</source>
        <translation>emac (MHz)</translation>
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
        <source>List</source>
        <translation>List</translation>
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
        <source>adcdiv</source>
        <translation>adcdiv</translation>
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
        <source>normal</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>flexible</source>
        <translation>flexible</translation>
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
        <source>no clk</source>
        <translation>no clk</translation>
    </message>
    <message>
        <source>hick48</source>
        <translation>hick48</translation>
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
        <source>PA9</source>
        <translation>PA9</translation>
    </message>
    <message>
        <source>PB13</source>
        <translation>PB13</translation>
    </message>
    <message>
        <source>sclk(MHz)</source>
        <translation>sclk(MHz)</translation>
    </message>
    <message>
        <source>pllrcs</source>
        <translation>pllrcs</translation>
    </message>
    <message>
        <source>(MHz)</source>
        <translation>(MHz)</translation>
    </message>
    <message>
        <source>(kHz)</source>
        <translation>(kHz)</translation>
    </message>
    <message>
        <source>%1 takes the %2 clock, which the design does not enable</source>
        <translation>%1 takes the %2 clock, which the design does not enable</translation>
    </message>
    <message>
        <source>pll (MHz)</source>
        <translation>pll (MHz)</translation>
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
