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
            <source>Can't open manual!</source>
            <translation>Can't open user manual!</translation>
        </message>
        <message>
            <source>The current tool is the latest version.</source>
            <translation>The current tool is the latest version.</translation>
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
</TS>
