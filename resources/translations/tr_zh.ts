<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
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
        <source>PNG image (*.png);;PDF document (*.pdf)</source>
        <translation>PNG 图像 (*.png);;PDF 文档 (*.pdf)</translation>
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
        <source>The file name must end in .png or .pdf.</source>
        <translation>文件名必须以 .png 或 .pdf 结尾。</translation>
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
        <source>The server sent a compressed reply.</source>
        <translation>服务器发送了压缩的回复。</translation>
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
        <source>USB clock must be 48MHz. But the USB clock of current config is wrong.  please confirm whether to continue?</source>
        <translation>USB 时钟必须为48MHz，当前配置的USB时钟错误。请确认是否继续？</translation>
    </message>
    <message>
        <source>hext input error!</source>
        <translation>hext 输入错误！</translation>
    </message>
    <message>
        <source>sclk input error!</source>
        <translation>sclk 输入错误！</translation>
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
        <source>pll_ms input error, is it adjusted automatically?</source>
        <translation>pll_ms 输入错误，是否自动调整？</translation>
    </message>
    <message>
        <source>pll_ns input error, is it adjusted automatically?</source>
        <translation>pll_ns 输入错误，是否自动调整？</translation>
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
        <source>Creating &quot;inc&quot; folder error!</source>
        <translation>创建inc文件夹失败!</translation>
    </message>
    <message>
        <source>Creating &quot;src&quot; folder error!</source>
        <translation>创建src文件夹失败!</translation>
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
        <translation>%1 选择了 %2 时钟，但设计中未启用该时钟</translation>
    </message>
    <message>
        <source>pll (MHz)</source>
        <translation>pll (MHz)</translation>
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
