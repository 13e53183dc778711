<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>MainWindow</name>
    <message>
        <source>Baud rate</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>Call</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Command format error</source>
        <translation>Command format error</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Connect</translation>
    </message>
    <message>
        <source>Connection timeout</source>
        <translation>Connection timeout</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>Control</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Data bits</source>
        <translation>Data Bits</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>Disconnect</translation>
    </message>
    <message>
        <source>Do you really want to exit?</source>
        <translation>Do you really want to exit?</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Focus in</source>
        <translation>Focus in</translation>
    </message>
    <message>
        <source>Focus out</source>
        <translation>Focus out</translation>
    </message>
    <message>
        <source>Focus speed</source>
        <translation>Focus speed</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>IP Address</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>Loop</translation>
    </message>
    <message>
        <source>MainWindow</source>
        <translation>Zarvick v@PROJECT_VERSION@</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>Manual</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>Net</source>
        <translation>Net</translation>
    </message>
    <message>
        <source>Network information fill in error</source>
        <translation>Network information fill in error</translation>
    </message>
    <message>
        <source>Open serial error</source>
        <translation>Open serial error</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>PTZ</translation>
    </message>
    <message>
        <source>Pan speed</source>
        <translation>Pan speed</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>Parity</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Port information fill in error</source>
        <translation>Port information fill in error</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>Preset</translation>
    </message>
    <message>
        <source>Preset num error</source>
        <translation>Preset num error</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>Protocol</translation>
    </message>
    <message>
        <source>Receive message</source>
        <translation>Receive message</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Select All</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>Send</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>Serial</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>Set</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Stop bits</source>
        <translation>Stop bits</translation>
    </message>
    <message>
        <source>The input is empty</source>
        <translation>The input is empty</translation>
    </message>
    <message>
        <source>The scope of 0~3600000</source>
        <translation>The scope of 0~3600000</translation>
    </message>
    <message>
        <source>Tilt speed</source>
        <translation>Tilt speed</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>Zoom speed</source>
        <translation>Zoom speed</translation>
    </message>
    <message>
        <source>information</source>
        <translation>information</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>warning</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>The serial link was lost: %1</source>
        <translation>The serial link was lost: %1</translation>
    </message>
    <message>
        <source>The network link was lost: %1</source>
        <translation>The network link was lost: %1</translation>
    </message>
    <message>
        <source>The camera did not confirm the stop</source>
        <translation>The camera did not confirm the stop</translation>
    </message>
    <message>
        <source>The camera is not reading: commands are refused until it reads again</source>
        <translation>The camera is not reading: commands are refused until it reads again</translation>
    </message>
    <message>
        <source>The command could not be sent: %1</source>
        <translation>The command could not be sent: %1</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2</source>
        <translation>The settings could not be saved to %1: %2</translation>
    </message>
    <message>
        <source>Exit anyway?</source>
        <translation>Exit anyway?</translation>
    </message>
    <message>
        <source>… %1 lines dropped: more came than the log can show</source>
        <translation>… %1 lines dropped: more came than the log can show</translation>
    </message>
    <message>
        <source>(%1 earlier lines left the log)</source>
        <translation>(%1 earlier lines left the log)</translation>
    </message>
    <message>
        <source>… (%1 more characters)</source>
        <translation>… (%1 more characters)</translation>
    </message>
    <message>
        <source>Key: Up arrow or keypad 8</source>
        <translation>Key: Up arrow or keypad 8</translation>
    </message>
    <message>
        <source>Key: Down arrow or keypad 2</source>
        <translation>Key: Down arrow or keypad 2</translation>
    </message>
    <message>
        <source>Key: Left arrow or keypad 4</source>
        <translation>Key: Left arrow or keypad 4</translation>
    </message>
    <message>
        <source>Key: Right arrow or keypad 6</source>
        <translation>Key: Right arrow or keypad 6</translation>
    </message>
    <message>
        <source>Key: keypad 7, or Up and Left arrows</source>
        <translation>Key: keypad 7, or Up and Left arrows</translation>
    </message>
    <message>
        <source>Key: keypad 9, or Up and Right arrows</source>
        <translation>Key: keypad 9, or Up and Right arrows</translation>
    </message>
    <message>
        <source>Key: keypad 1, or Down and Left arrows</source>
        <translation>Key: keypad 1, or Down and Left arrows</translation>
    </message>
    <message>
        <source>Key: keypad 3, or Down and Right arrows</source>
        <translation>Key: keypad 3, or Down and Right arrows</translation>
    </message>
    <message>
        <source>Key: Home or keypad 5</source>
        <translation>Key: Home or keypad 5</translation>
    </message>
    <message>
        <source>Key: +</source>
        <translation>Key: +</translation>
    </message>
    <message>
        <source>Key: -</source>
        <translation>Key: -</translation>
    </message>
    <message>
        <source>Key: Page Up</source>
        <translation>Key: Page Up</translation>
    </message>
    <message>
        <source>Key: Page Down</source>
        <translation>Key: Page Down</translation>
    </message>
    <message>
        <source>Stop all</source>
        <translation>Stop all</translation>
    </message>
    <message>
        <source>Key: Shift+Esc. Stops every camera, whatever moves it</source>
        <translation>Key: Shift+Esc. Stops every camera, whatever moves it</translation>
    </message>
    <message>
        <source>The serial port %1 is not present</source>
        <translation>The serial port %1 is not present</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>Connection failed</translation>
    </message>
    <message>
        <source>the device was removed or stopped answering</source>
        <translation>the device was removed or stopped answering</translation>
    </message>
    <message>
        <source>No serial port is chosen</source>
        <translation>No serial port is chosen</translation>
    </message>
    <message>
        <source>Camera %1</source>
        <translation>Camera %1</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>Cameras</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>Link</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>State</source>
        <translation>State</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Find cameras on the line</source>
        <translation>Find cameras on the line</translation>
    </message>
    <message>
        <source>No camera answered on %1</source>
        <translation>No camera answered on %1</translation>
    </message>
    <message>
        <source>Asking the cameras on %1 …</source>
        <translation>Asking the cameras on %1 …</translation>
    </message>
    <message>
        <source>Cameras on %1: %2, added to the list: %3</source>
        <translation>Cameras on %1: %2, added to the list: %3</translation>
    </message>
    <message>
        <source>Serial, no port chosen</source>
        <translation>Serial, no port chosen</translation>
    </message>
    <message>
        <source>Serial %1, %2 baud</source>
        <translation>Serial %1, %2 baud</translation>
    </message>
    <message>
        <source>VISCA over IP %1:%2</source>
        <translation>VISCA over IP %1:%2</translation>
    </message>
    <message>
        <source>closed</source>
        <translation>closed</translation>
    </message>
    <message>
        <source>open</source>
        <translation>open</translation>
    </message>
    <message>
        <source>answering</source>
        <translation>answering</translation>
    </message>
    <message>
        <source>not answering since %1</source>
        <translation>not answering since %1</translation>
    </message>
    <message>
        <source>Find network cameras</source>
        <translation>Find network cameras</translation>
    </message>
    <message>
        <source>IP address to probe</source>
        <translation>IP address to probe</translation>
    </message>
    <message>
        <source>Probe</source>
        <translation>Probe</translation>
    </message>
    <message>
        <source>Add to the list</source>
        <translation>Add to the list</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP address</translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation>MAC address</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>Answer</translation>
    </message>
    <message>
        <source>Network cameras that answered: %1</source>
        <translation>Network cameras that answered: %1</translation>
    </message>
    <message>
        <source>Nothing answered at %1</source>
        <translation>Nothing answered at %1</translation>
    </message>
    <message>
        <source>The enquiry could not be sent: %1</source>
        <translation>The enquiry could not be sent: %1</translation>
    </message>
    <message>
        <source>Asking the network cameras …</source>
        <translation>Asking the network cameras …</translation>
    </message>
    <message>
        <source>Probing %1 …</source>
        <translation>Probing %1 …</translation>
    </message>
    <message>
        <source>%1 is listed already as %2</source>
        <translation>%1 is listed already as %2</translation>
    </message>
    <message>
        <source>vendor %1, model %2, ROM %3, %4 sockets</source>
        <translation>vendor %1, model %2, ROM %3, %4 sockets</translation>
    </message>
    <message>
        <source>%1 answers on %2</source>
        <translation>%1 answers on %2</translation>
    </message>
    <message>
        <source>(listed as %1)</source>
        <translation>(listed as %1)</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Position</translation>
    </message>
    <message>
        <source>pan %1, tilt %2, zoom %3 (%4 %), focus %5</source>
        <translation>pan %1, tilt %2, zoom %3 (%4 %), focus %5</translation>
    </message>
    <message>
        <source>Keep position</source>
        <translation>Keep position</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>Position %1</source>
        <translation>Position %1</translation>
    </message>
    <message>
        <source>%1 (cannot be used)</source>
        <translation>%1 (cannot be used)</translation>
    </message>
    <message>
        <source>Every address of %1 has a camera</source>
        <translation>Every address of %1 has a camera</translation>
    </message>
    <message>
        <source>%1 is at address %2 on this link already</source>
        <translation>%1 is at address %2 on this link already</translation>
    </message>
    <message>
        <source>%1 has the address of %2 in config.ini: it is at address %3 now</source>
        <translation>%1 has the address of %2 in config.ini: it is at address %3 now</translation>
    </message>
    <message>
        <source>The address of %1 in config.ini is not 1 to 7: it is at address %2 now</source>
        <translation>The address of %1 in config.ini is not 1 to 7: it is at address %2 now</translation>
    </message>
    <message>
        <source>The list holds at most %1 cameras</source>
        <translation>The list holds at most %1 cameras</translation>
    </message>
    <message>
        <source>config.ini lists more than %1 cameras, or more than %2 positions of a camera: the others stay in the file, unread</source>
        <translation>config.ini lists more than %1 cameras, or more than %2 positions of a camera: the others stay in the file, unread</translation>
    </message>
    <message>
        <source>VISCA over IP</source>
        <translation>VISCA over IP</translation>
    </message>
    <message>
        <source>The active camera's link</source>
        <translation>The active camera's link</translation>
    </message>
    <message>
        <source>%1, %2 s ago</source>
        <translation>%1, %2 s ago</translation>
    </message>
    <message>
        <source>%1 keeps at most %2 positions</source>
        <translation>%1 keeps at most %2 positions</translation>
    </message>
    <message>
        <source>%1 did not say where it is: no position was kept</source>
        <translation>%1 did not say where it is: no position was kept</translation>
    </message>
    <message>
        <source>%1 is no position a camera can be sent to</source>
        <translation>%1 is no position a camera can be sent to</translation>
    </message>
    <message>
        <source>%1 did not say where it is: the move was not sent</source>
        <translation>%1 did not say where it is: the move was not sent</translation>
    </message>
    <message>
        <source>reconnecting (next try in %1 s)</source>
        <translation>reconnecting (next try in %1 s)</translation>
    </message>
    <message>
        <source>reconnecting</source>
        <translation>reconnecting</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1 (%2): %3</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Dismiss</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>Open all</source>
        <translation>Open all</translation>
    </message>
    <message>
        <source>Close all</source>
        <translation>Close all</translation>
    </message>
    <message>
        <source>Open the cameras at start</source>
        <translation>Open the cameras at start</translation>
    </message>
    <message>
        <source>%1 was removed</source>
        <translation>%1 was removed</translation>
    </message>
    <message>
        <source>%1 was deleted</source>
        <translation>%1 was deleted</translation>
    </message>
    <message>
        <source>pan %1, tilt %2, zoom %3</source>
        <translation>pan %1, tilt %2, zoom %3</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>Program</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Tally:</source>
        <translation>Tally:</translation>
    </message>
    <message>
        <source>No tally</source>
        <translation>No tally</translation>
    </message>
    <message>
        <source>How the active camera's tally lamps are set</source>
        <translation>How the active camera's tally lamps are set</translation>
    </message>
    <message>
        <source>Invert pan</source>
        <translation>Invert pan</translation>
    </message>
    <message>
        <source>Invert tilt</source>
        <translation>Invert tilt</translation>
    </message>
    <message>
        <source>Speed follows zoom</source>
        <translation>Speed follows zoom</translation>
    </message>
    <message>
        <source>Pan and tilt slower as the camera zooms in: a fifth of the speed at full tele</source>
        <translation>Pan and tilt slower as the camera zooms in: a fifth of the speed at full tele</translation>
    </message>
    <message>
        <source>Go speed </source>
        <translation>Go speed </translation>
    </message>
    <message>
        <source>Go: pad speed</source>
        <translation>Go: pad speed</translation>
    </message>
    <message>
        <source>The faster axis's speed of a Go; the other is matched so that pan and tilt arrive together</source>
        <translation>The faster axis's speed of a Go; the other is matched so that pan and tilt arrive together</translation>
    </message>
    <message>
        <source>Move %1</source>
        <translation>Move %1</translation>
    </message>
    <message>
        <source>%1 keeps at most %2 moves</source>
        <translation>%1 keeps at most %2 moves</translation>
    </message>
    <message>
        <source>%1 did not say where it is: no move was recorded</source>
        <translation>%1 did not say where it is: no move was recorded</translation>
    </message>
    <message>
        <source>%1 did not say where it is: the move was not played</source>
        <translation>%1 did not say where it is: the move was not played</translation>
    </message>
    <message>
        <source>%1 could not be played</source>
        <translation>%1 could not be played</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>Stop recording</translation>
    </message>
    <message>
        <source>Record move</source>
        <translation>Record move</translation>
    </message>
    <message>
        <source>Stop playing</source>
        <translation>Stop playing</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Delete move</source>
        <translation>Delete move</translation>
    </message>
    <message>
        <source>The active camera's recorded moves</source>
        <translation>The active camera's recorded moves</translation>
    </message>
    <message>
        <source>HTTP interface on %1 port %2</source>
        <translation>HTTP interface on %1 port %2</translation>
    </message>
    <message>
        <source>OSC interface on %1 port %2</source>
        <translation>OSC interface on %1 port %2</translation>
    </message>
    <message>
        <source>API/Listen is no IP address: %1</source>
        <translation>API/Listen is no IP address: %1</translation>
    </message>
    <message>
        <source>HTTP listens beyond 127.0.0.1 only with API/Token set</source>
        <translation>HTTP listens beyond 127.0.0.1 only with API/Token set</translation>
    </message>
    <message>
        <source>OSC listens beyond 127.0.0.1 only with API/Token and API/OscSenders set</source>
        <translation>OSC listens beyond 127.0.0.1 only with API/Token and API/OscSenders set</translation>
    </message>
    <message>
        <source>HTTP cannot listen on %1 port %2</source>
        <translation>HTTP cannot listen on %1 port %2</translation>
    </message>
    <message>
        <source>OSC cannot listen on %1 port %2: %3</source>
        <translation>OSC cannot listen on %1 port %2: %3</translation>
    </message>
    <message>
        <source>Add a camera</source>
        <translation>Add a camera</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>Serial port</translation>
    </message>
    <message>
        <source>VISCA address</source>
        <translation>VISCA address</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Connection refused</translation>
    </message>
    <message>
        <source>The remote host closed the connection</source>
        <translation>The remote host closed the connection</translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation>Host not found</translation>
    </message>
    <message>
        <source>Network unreachable</source>
        <translation>Network unreachable</translation>
    </message>
    <message>
        <source>Network is unreachable</source>
        <translation>Network is unreachable</translation>
    </message>
    <message>
        <source>Socket operation timed out</source>
        <translation>Socket operation timed out</translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation>Connection timed out</translation>
    </message>
    <message>
        <source>Connection reset by peer</source>
        <translation>Connection reset by peer</translation>
    </message>
    <message>
        <source>Address in use</source>
        <translation>Address in use</translation>
    </message>
    <message>
        <source>Datagram was too large to send</source>
        <translation>Datagram was too large to send</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>No such device</source>
        <translation>No such device</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>Device or resource busy</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>Resource temporarily unavailable</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>Broken pipe</source>
        <translation>Broken pipe</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>Unknown error</translation>
    </message>
    <message>
        <source>Explain</source>
        <translation>Explain</translation>
    </message>
    <message>
        <source>Each message's meaning below it, and each reply's time</source>
        <translation>Each message's meaning below it, and each reply's time</translation>
    </message>
    <message>
        <source>incomplete: no FF at its end</source>
        <translation>incomplete: no FF at its end</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unknown</translation>
    </message>
    <message>
        <source>answer to %1</source>
        <translation>answer to %1</translation>
    </message>
    <message>
        <source>ACK to %1</source>
        <translation>ACK to %1</translation>
    </message>
    <message>
        <source>completion of %1</source>
        <translation>completion of %1</translation>
    </message>
    <message>
        <source>%1 (to %2)</source>
        <translation>%1 (to %2)</translation>
    </message>
    <message>
        <source>%1, %2 ms</source>
        <translation>%1, %2 ms</translation>
    </message>
    <message>
        <source>Search the commands by name or bytes</source>
        <translation>Search the commands by name or bytes</translation>
    </message>
    <message>
        <source>Ask the camera</source>
        <translation>Ask the camera</translation>
    </message>
    <message>
        <source>Inquiry</source>
        <translation>Inquiry</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>Sent</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>Meaning</translation>
    </message>
    <message>
        <source>Ask again</source>
        <translation>Ask again</translation>
    </message>
    <message>
        <source>Copy as text</source>
        <translation>Copy as text</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>The active camera has no open link: nothing was asked</source>
        <translation>The active camera has no open link: nothing was asked</translation>
    </message>
    <message>
        <source>Asking %1: %2 of %3</source>
        <translation>Asking %1: %2 of %3</translation>
    </message>
    <message>
        <source>%1 answered %2 of %3 inquiries</source>
        <translation>%1 answered %2 of %3 inquiries</translation>
    </message>
    <message>
        <source>Tally source</source>
        <translation>Tally source</translation>
    </message>
    <message>
        <source>No source</source>
        <translation>No source</translation>
    </message>
    <message>
        <source>TSL 3.1</source>
        <translation>TSL 3.1</translation>
    </message>
    <message>
        <source>TSL 5.0</source>
        <translation>TSL 5.0</translation>
    </message>
    <message>
        <source>vMix</source>
        <translation>vMix</translation>
    </message>
    <message>
        <source>OBS Studio</source>
        <translation>OBS Studio</translation>
    </message>
    <message>
        <source>Settings…</source>
        <translation>Settings…</translation>
    </message>
    <message>
        <source>Transport</source>
        <translation>Transport</translation>
    </message>
    <message>
        <source>Listen on</source>
        <translation>Listen on</translation>
    </message>
    <message>
        <source>Switcher address</source>
        <translation>Switcher address</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Program tally (1-4)</source>
        <translation>Program tally (1-4)</translation>
    </message>
    <message>
        <source>Preview tally (1-4)</source>
        <translation>Preview tally (1-4)</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>Camera</translation>
    </message>
    <message>
        <source>Index or input</source>
        <translation>Index or input</translation>
    </message>
    <message>
        <source>OBS scenes (separated by |)</source>
        <translation>OBS scenes (separated by |)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Apply</translation>
    </message>
    <message>
        <source>waiting for the switcher</source>
        <translation>waiting for the switcher</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>connected</translation>
    </message>
    <message>
        <source>lost: %1</source>
        <translation>lost: %1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>failed: %1</translation>
    </message>
    <message>
        <source> (last message %1)</source>
        <translation> (last message %1)</translation>
    </message>
    <message>
        <source>no message for %1 s</source>
        <translation>no message for %1 s</translation>
    </message>
    <message>
        <source>OBS closed the connection</source>
        <translation>OBS closed the connection</translation>
    </message>
    <message>
        <source>the switcher closed the connection</source>
        <translation>the switcher closed the connection</translation>
    </message>
    <message>
        <source>vMix closed the connection</source>
        <translation>vMix closed the connection</translation>
    </message>
    <message>
        <source>Tally source %1: the lamps keep their last state</source>
        <translation>Tally source %1: the lamps keep their last state</translation>
    </message>
    <message>
        <source>no port is set</source>
        <translation>no port is set</translation>
    </message>
    <message>
        <source>Monitor pair</source>
        <translation>Monitor pair</translation>
    </message>
    <message>
        <source>Where the controller sends (the monitor listens there)</source>
        <translation>Where the controller sends (the monitor listens there)</translation>
    </message>
    <message>
        <source>The camera</source>
        <translation>The camera</translation>
    </message>
    <message>
        <source>UDP</source>
        <translation>UDP</translation>
    </message>
    <message>
        <source>TCP</source>
        <translation>TCP</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>Serial line</source>
        <translation>Serial line</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <source>Listens</source>
        <translation>Listens</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>Add…</translation>
    </message>
    <message>
        <source>Save capture…</source>
        <translation>Save capture…</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Both directions</source>
        <translation>Both directions</translation>
    </message>
    <message>
        <source>Controller → camera</source>
        <translation>Controller → camera</translation>
    </message>
    <message>
        <source>Camera → controller</source>
        <translation>Camera → controller</translation>
    </message>
    <message>
        <source>Every camera</source>
        <translation>Every camera</translation>
    </message>
    <message>
        <source>Broadcast</source>
        <translation>Broadcast</translation>
    </message>
    <message>
        <source>Command or bytes contain…</source>
        <translation>Command or bytes contain…</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>Command</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Count</translation>
    </message>
    <message>
        <source>ACK median (ms)</source>
        <translation>ACK median (ms)</translation>
    </message>
    <message>
        <source>ACK p99 (ms)</source>
        <translation>ACK p99 (ms)</translation>
    </message>
    <message>
        <source>Completion median (ms)</source>
        <translation>Completion median (ms)</translation>
    </message>
    <message>
        <source>Completion p99 (ms)</source>
        <translation>Completion p99 (ms)</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>Errors</translation>
    </message>
    <message>
        <source>listening</source>
        <translation>listening</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>stopped</translation>
    </message>
    <message>
        <source>Save capture</source>
        <translation>Save capture</translation>
    </message>
    <message>
        <source>Text (*.txt);;Every file (*)</source>
        <translation>Text (*.txt);;Every file (*)</translation>
    </message>
    <message>
        <source>Saved %1 lines in %2.</source>
        <translation>Saved %1 lines in %2.</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>Not saved: %1</translation>
    </message>
    <message>
        <source>the baud rate after @ is not a number from 1 to 4000000</source>
        <translation>the baud rate after @ is not a number from 1 to 4000000</translation>
    </message>
    <message>
        <source>no serial device is given</source>
        <translation>no serial device is given</translation>
    </message>
    <message>
        <source>an address and a port are needed, as in udp:127.0.0.1:1259</source>
        <translation>an address and a port are needed, as in udp:127.0.0.1:1259</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address</source>
        <translation>&quot;%1&quot; is not an IP address</translation>
    </message>
    <message>
        <source>the port is not a number from 1 to 65535</source>
        <translation>the port is not a number from 1 to 65535</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not start with udp:, visca-ip:, tcp: or serial:</source>
        <translation>&quot;%1&quot; does not start with udp:, visca-ip:, tcp: or serial:</translation>
    </message>
    <message>
        <source>a pair is written LISTEN=TARGET</source>
        <translation>a pair is written LISTEN=TARGET</translation>
    </message>
    <message>
        <source>where to listen: %1</source>
        <translation>where to listen: %1</translation>
    </message>
    <message>
        <source>the camera: %1</source>
        <translation>the camera: %1</translation>
    </message>
    <message>
        <source>the pair would listen where its camera is</source>
        <translation>the pair would listen where its camera is</translation>
    </message>
    <message>
        <source>not a VISCA over IP datagram</source>
        <translation>not a VISCA over IP datagram</translation>
    </message>
    <message>
        <source>sequence number reset</source>
        <translation>sequence number reset</translation>
    </message>
    <message>
        <source>sequence number reset done</source>
        <translation>sequence number reset done</translation>
    </message>
    <message>
        <source>, number %1</source>
        <translation>, number %1</translation>
    </message>
    <message>
        <source>abnormal sequence number %1</source>
        <translation>abnormal sequence number %1</translation>
    </message>
    <message>
        <source>abnormal message, number %1</source>
        <translation>abnormal message, number %1</translation>
    </message>
    <message>
        <source>VISCA over IP message of type %1, number %2</source>
        <translation>VISCA over IP message of type %1, number %2</translation>
    </message>
    <message>
        <source>: answered by the monitor</source>
        <translation>: answered by the monitor</translation>
    </message>
    <message>
        <source>no controller has spoken to this camera: passed to none</source>
        <translation>no controller has spoken to this camera: passed to none</translation>
    </message>
    <message>
        <source> … (%1 bytes)</source>
        <translation> … (%1 bytes)</translation>
    </message>
    <message>
        <source>: taken by the monitor</source>
        <translation>: taken by the monitor</translation>
    </message>
    <message>
        <source>no controller</source>
        <translation>no controller</translation>
    </message>
    <message>
        <source>%1 → camera</source>
        <translation>%1 → camera</translation>
    </message>
    <message>
        <source>camera → %1</source>
        <translation>camera → %1</translation>
    </message>
    <message>
        <source>monitor</source>
        <translation>monitor</translation>
    </message>
    <message>
        <source>%1: monitor</source>
        <translation>%1: monitor</translation>
    </message>
    <message>
        <source>at most %1 pairs</source>
        <translation>at most %1 pairs</translation>
    </message>
    <message>
        <source>pair %1 (%2): %3</source>
        <translation>pair %1 (%2): %3</translation>
    </message>
    <message>
        <source>cannot listen on %1: %2</source>
        <translation>cannot listen on %1: %2</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>cannot open %1: %2</translation>
    </message>
    <message>
        <source>the serial line %1 failed</source>
        <translation>the serial line %1 failed</translation>
    </message>
    <message>
        <source>no way to the camera %1</source>
        <translation>no way to the camera %1</translation>
    </message>
    <message>
        <source>refused: the pair already has %1 controllers</source>
        <translation>refused: the pair already has %1 controllers</translation>
    </message>
    <message>
        <source>the camera closed the connection</source>
        <translation>the camera closed the connection</translation>
    </message>
    <message>
        <source>the camera's connection failed: %1</source>
        <translation>the camera's connection failed: %1</translation>
    </message>
    <message>
        <source>forgotten after %1 minutes of silence</source>
        <translation>forgotten after %1 minutes of silence</translation>
    </message>
    <message>
        <source>the controller closed its connection</source>
        <translation>the controller closed its connection</translation>
    </message>
    <message>
        <source>controller connected</source>
        <translation>controller connected</translation>
    </message>
    <message>
        <source>the camera's serial line takes nothing more: the pair stops</source>
        <translation>the camera's serial line takes nothing more: the pair stops</translation>
    </message>
    <message>
        <source>the camera does not read what is sent: dropped</source>
        <translation>the camera does not read what is sent: dropped</translation>
    </message>
    <message>
        <source>the controller's serial line takes nothing more: the pair stops</source>
        <translation>the controller's serial line takes nothing more: the pair stops</translation>
    </message>
    <message>
        <source>the controller does not read its replies: dropped</source>
        <translation>the controller does not read its replies: dropped</translation>
    </message>
</context>
<context>
    <name>VISCA</name>
    <message>
        <source>ACK</source>
        <translation>ACK</translation>
    </message>
    <message>
        <source>completion</source>
        <translation>completion</translation>
    </message>
    <message>
        <source>message length error</source>
        <translation>message length error</translation>
    </message>
    <message>
        <source>syntax error</source>
        <translation>syntax error</translation>
    </message>
    <message>
        <source>command buffer full</source>
        <translation>command buffer full</translation>
    </message>
    <message>
        <source>command cancelled</source>
        <translation>command cancelled</translation>
    </message>
    <message>
        <source>no socket</source>
        <translation>no socket</translation>
    </message>
    <message>
        <source>command not executable</source>
        <translation>command not executable</translation>
    </message>
    <message>
        <source>network change</source>
        <translation>network change</translation>
    </message>
    <message>
        <source>address set answer</source>
        <translation>address set answer</translation>
    </message>
    <message>
        <source>address set</source>
        <translation>address set</translation>
    </message>
    <message>
        <source>interface clear</source>
        <translation>interface clear</translation>
    </message>
    <message>
        <source>command cancel</source>
        <translation>command cancel</translation>
    </message>
    <message>
        <source>power</source>
        <translation>power</translation>
    </message>
    <message>
        <source>zoom stop</source>
        <translation>zoom stop</translation>
    </message>
    <message>
        <source>zoom tele</source>
        <translation>zoom tele</translation>
    </message>
    <message>
        <source>zoom wide</source>
        <translation>zoom wide</translation>
    </message>
    <message>
        <source>zoom tele variable</source>
        <translation>zoom tele variable</translation>
    </message>
    <message>
        <source>zoom wide variable</source>
        <translation>zoom wide variable</translation>
    </message>
    <message>
        <source>zoom direct</source>
        <translation>zoom direct</translation>
    </message>
    <message>
        <source>digital zoom</source>
        <translation>digital zoom</translation>
    </message>
    <message>
        <source>zoom and focus direct</source>
        <translation>zoom and focus direct</translation>
    </message>
    <message>
        <source>focus stop</source>
        <translation>focus stop</translation>
    </message>
    <message>
        <source>focus far</source>
        <translation>focus far</translation>
    </message>
    <message>
        <source>focus near</source>
        <translation>focus near</translation>
    </message>
    <message>
        <source>focus far variable</source>
        <translation>focus far variable</translation>
    </message>
    <message>
        <source>focus near variable</source>
        <translation>focus near variable</translation>
    </message>
    <message>
        <source>focus direct</source>
        <translation>focus direct</translation>
    </message>
    <message>
        <source>focus mode</source>
        <translation>focus mode</translation>
    </message>
    <message>
        <source>focus auto/manual toggle</source>
        <translation>focus auto/manual toggle</translation>
    </message>
    <message>
        <source>one push autofocus</source>
        <translation>one push autofocus</translation>
    </message>
    <message>
        <source>focus infinity</source>
        <translation>focus infinity</translation>
    </message>
    <message>
        <source>focus near limit</source>
        <translation>focus near limit</translation>
    </message>
    <message>
        <source>autofocus sensitivity</source>
        <translation>autofocus sensitivity</translation>
    </message>
    <message>
        <source>autofocus mode</source>
        <translation>autofocus mode</translation>
    </message>
    <message>
        <source>white balance mode</source>
        <translation>white balance mode</translation>
    </message>
    <message>
        <source>white balance one push trigger</source>
        <translation>white balance one push trigger</translation>
    </message>
    <message>
        <source>red gain reset</source>
        <translation>red gain reset</translation>
    </message>
    <message>
        <source>red gain up</source>
        <translation>red gain up</translation>
    </message>
    <message>
        <source>red gain down</source>
        <translation>red gain down</translation>
    </message>
    <message>
        <source>red gain direct</source>
        <translation>red gain direct</translation>
    </message>
    <message>
        <source>blue gain reset</source>
        <translation>blue gain reset</translation>
    </message>
    <message>
        <source>blue gain up</source>
        <translation>blue gain up</translation>
    </message>
    <message>
        <source>blue gain down</source>
        <translation>blue gain down</translation>
    </message>
    <message>
        <source>blue gain direct</source>
        <translation>blue gain direct</translation>
    </message>
    <message>
        <source>exposure mode</source>
        <translation>exposure mode</translation>
    </message>
    <message>
        <source>shutter reset</source>
        <translation>shutter reset</translation>
    </message>
    <message>
        <source>shutter up</source>
        <translation>shutter up</translation>
    </message>
    <message>
        <source>shutter down</source>
        <translation>shutter down</translation>
    </message>
    <message>
        <source>shutter direct</source>
        <translation>shutter direct</translation>
    </message>
    <message>
        <source>iris reset</source>
        <translation>iris reset</translation>
    </message>
    <message>
        <source>iris up</source>
        <translation>iris up</translation>
    </message>
    <message>
        <source>iris down</source>
        <translation>iris down</translation>
    </message>
    <message>
        <source>iris direct</source>
        <translation>iris direct</translation>
    </message>
    <message>
        <source>gain reset</source>
        <translation>gain reset</translation>
    </message>
    <message>
        <source>gain up</source>
        <translation>gain up</translation>
    </message>
    <message>
        <source>gain down</source>
        <translation>gain down</translation>
    </message>
    <message>
        <source>gain direct</source>
        <translation>gain direct</translation>
    </message>
    <message>
        <source>bright reset</source>
        <translation>bright reset</translation>
    </message>
    <message>
        <source>bright up</source>
        <translation>bright up</translation>
    </message>
    <message>
        <source>bright down</source>
        <translation>bright down</translation>
    </message>
    <message>
        <source>bright direct</source>
        <translation>bright direct</translation>
    </message>
    <message>
        <source>exposure compensation</source>
        <translation>exposure compensation</translation>
    </message>
    <message>
        <source>exposure compensation reset</source>
        <translation>exposure compensation reset</translation>
    </message>
    <message>
        <source>exposure compensation up</source>
        <translation>exposure compensation up</translation>
    </message>
    <message>
        <source>exposure compensation down</source>
        <translation>exposure compensation down</translation>
    </message>
    <message>
        <source>exposure compensation direct</source>
        <translation>exposure compensation direct</translation>
    </message>
    <message>
        <source>backlight</source>
        <translation>backlight</translation>
    </message>
    <message>
        <source>wide dynamic range</source>
        <translation>wide dynamic range</translation>
    </message>
    <message>
        <source>aperture reset</source>
        <translation>aperture reset</translation>
    </message>
    <message>
        <source>aperture up</source>
        <translation>aperture up</translation>
    </message>
    <message>
        <source>aperture down</source>
        <translation>aperture down</translation>
    </message>
    <message>
        <source>aperture direct</source>
        <translation>aperture direct</translation>
    </message>
    <message>
        <source>noise reduction</source>
        <translation>noise reduction</translation>
    </message>
    <message>
        <source>gamma</source>
        <translation>gamma</translation>
    </message>
    <message>
        <source>colour gain direct</source>
        <translation>colour gain direct</translation>
    </message>
    <message>
        <source>hue direct</source>
        <translation>hue direct</translation>
    </message>
    <message>
        <source>defog</source>
        <translation>defog</translation>
    </message>
    <message>
        <source>high resolution</source>
        <translation>high resolution</translation>
    </message>
    <message>
        <source>stabilizer</source>
        <translation>stabilizer</translation>
    </message>
    <message>
        <source>freeze</source>
        <translation>freeze</translation>
    </message>
    <message>
        <source>picture effect</source>
        <translation>picture effect</translation>
    </message>
    <message>
        <source>IR cut filter</source>
        <translation>IR cut filter</translation>
    </message>
    <message>
        <source>auto IR cut filter</source>
        <translation>auto IR cut filter</translation>
    </message>
    <message>
        <source>mirror</source>
        <translation>mirror</translation>
    </message>
    <message>
        <source>flip</source>
        <translation>flip</translation>
    </message>
    <message>
        <source>picture flip</source>
        <translation>picture flip</translation>
    </message>
    <message>
        <source>menu display</source>
        <translation>menu display</translation>
    </message>
    <message>
        <source>memory reset</source>
        <translation>memory reset</translation>
    </message>
    <message>
        <source>memory set</source>
        <translation>memory set</translation>
    </message>
    <message>
        <source>memory recall</source>
        <translation>memory recall</translation>
    </message>
    <message>
        <source>tally</source>
        <translation>tally</translation>
    </message>
    <message>
        <source>green tally</source>
        <translation>green tally</translation>
    </message>
    <message>
        <source>tally red and green</source>
        <translation>tally red and green</translation>
    </message>
    <message>
        <source>pan-tilt drive</source>
        <translation>pan-tilt drive</translation>
    </message>
    <message>
        <source>pan-tilt stop</source>
        <translation>pan-tilt stop</translation>
    </message>
    <message>
        <source>pan-tilt drive up</source>
        <translation>pan-tilt drive up</translation>
    </message>
    <message>
        <source>pan-tilt drive down</source>
        <translation>pan-tilt drive down</translation>
    </message>
    <message>
        <source>pan-tilt drive left</source>
        <translation>pan-tilt drive left</translation>
    </message>
    <message>
        <source>pan-tilt drive right</source>
        <translation>pan-tilt drive right</translation>
    </message>
    <message>
        <source>pan-tilt drive up-left</source>
        <translation>pan-tilt drive up-left</translation>
    </message>
    <message>
        <source>pan-tilt drive up-right</source>
        <translation>pan-tilt drive up-right</translation>
    </message>
    <message>
        <source>pan-tilt drive down-left</source>
        <translation>pan-tilt drive down-left</translation>
    </message>
    <message>
        <source>pan-tilt drive down-right</source>
        <translation>pan-tilt drive down-right</translation>
    </message>
    <message>
        <source>pan-tilt absolute</source>
        <translation>pan-tilt absolute</translation>
    </message>
    <message>
        <source>pan-tilt absolute (5-digit pan)</source>
        <translation>pan-tilt absolute (5-digit pan)</translation>
    </message>
    <message>
        <source>pan-tilt relative</source>
        <translation>pan-tilt relative</translation>
    </message>
    <message>
        <source>pan-tilt relative (5-digit pan)</source>
        <translation>pan-tilt relative (5-digit pan)</translation>
    </message>
    <message>
        <source>pan-tilt home</source>
        <translation>pan-tilt home</translation>
    </message>
    <message>
        <source>pan-tilt reset</source>
        <translation>pan-tilt reset</translation>
    </message>
    <message>
        <source>pan-tilt limit set</source>
        <translation>pan-tilt limit set</translation>
    </message>
    <message>
        <source>pan-tilt limit clear</source>
        <translation>pan-tilt limit clear</translation>
    </message>
    <message>
        <source>pan-tilt slow mode</source>
        <translation>pan-tilt slow mode</translation>
    </message>
    <message>
        <source>power inquiry</source>
        <translation>power inquiry</translation>
    </message>
    <message>
        <source>zoom position inquiry</source>
        <translation>zoom position inquiry</translation>
    </message>
    <message>
        <source>digital zoom inquiry</source>
        <translation>digital zoom inquiry</translation>
    </message>
    <message>
        <source>focus position inquiry</source>
        <translation>focus position inquiry</translation>
    </message>
    <message>
        <source>focus mode inquiry</source>
        <translation>focus mode inquiry</translation>
    </message>
    <message>
        <source>focus near limit inquiry</source>
        <translation>focus near limit inquiry</translation>
    </message>
    <message>
        <source>autofocus sensitivity inquiry</source>
        <translation>autofocus sensitivity inquiry</translation>
    </message>
    <message>
        <source>autofocus mode inquiry</source>
        <translation>autofocus mode inquiry</translation>
    </message>
    <message>
        <source>white balance mode inquiry</source>
        <translation>white balance mode inquiry</translation>
    </message>
    <message>
        <source>red gain inquiry</source>
        <translation>red gain inquiry</translation>
    </message>
    <message>
        <source>blue gain inquiry</source>
        <translation>blue gain inquiry</translation>
    </message>
    <message>
        <source>exposure mode inquiry</source>
        <translation>exposure mode inquiry</translation>
    </message>
    <message>
        <source>shutter inquiry</source>
        <translation>shutter inquiry</translation>
    </message>
    <message>
        <source>iris inquiry</source>
        <translation>iris inquiry</translation>
    </message>
    <message>
        <source>gain inquiry</source>
        <translation>gain inquiry</translation>
    </message>
    <message>
        <source>bright inquiry</source>
        <translation>bright inquiry</translation>
    </message>
    <message>
        <source>exposure compensation inquiry</source>
        <translation>exposure compensation inquiry</translation>
    </message>
    <message>
        <source>exposure compensation position inquiry</source>
        <translation>exposure compensation position inquiry</translation>
    </message>
    <message>
        <source>backlight inquiry</source>
        <translation>backlight inquiry</translation>
    </message>
    <message>
        <source>wide dynamic range inquiry</source>
        <translation>wide dynamic range inquiry</translation>
    </message>
    <message>
        <source>aperture inquiry</source>
        <translation>aperture inquiry</translation>
    </message>
    <message>
        <source>noise reduction inquiry</source>
        <translation>noise reduction inquiry</translation>
    </message>
    <message>
        <source>gamma inquiry</source>
        <translation>gamma inquiry</translation>
    </message>
    <message>
        <source>colour gain inquiry</source>
        <translation>colour gain inquiry</translation>
    </message>
    <message>
        <source>hue inquiry</source>
        <translation>hue inquiry</translation>
    </message>
    <message>
        <source>high resolution inquiry</source>
        <translation>high resolution inquiry</translation>
    </message>
    <message>
        <source>stabilizer inquiry</source>
        <translation>stabilizer inquiry</translation>
    </message>
    <message>
        <source>freeze inquiry</source>
        <translation>freeze inquiry</translation>
    </message>
    <message>
        <source>picture effect inquiry</source>
        <translation>picture effect inquiry</translation>
    </message>
    <message>
        <source>IR cut filter inquiry</source>
        <translation>IR cut filter inquiry</translation>
    </message>
    <message>
        <source>auto IR cut filter inquiry</source>
        <translation>auto IR cut filter inquiry</translation>
    </message>
    <message>
        <source>mirror inquiry</source>
        <translation>mirror inquiry</translation>
    </message>
    <message>
        <source>flip inquiry</source>
        <translation>flip inquiry</translation>
    </message>
    <message>
        <source>picture flip inquiry</source>
        <translation>picture flip inquiry</translation>
    </message>
    <message>
        <source>last preset inquiry</source>
        <translation>last preset inquiry</translation>
    </message>
    <message>
        <source>tally inquiry</source>
        <translation>tally inquiry</translation>
    </message>
    <message>
        <source>menu display inquiry</source>
        <translation>menu display inquiry</translation>
    </message>
    <message>
        <source>pan-tilt position inquiry</source>
        <translation>pan-tilt position inquiry</translation>
    </message>
    <message>
        <source>pan-tilt maximum speed inquiry</source>
        <translation>pan-tilt maximum speed inquiry</translation>
    </message>
    <message>
        <source>pan-tilt mode inquiry</source>
        <translation>pan-tilt mode inquiry</translation>
    </message>
    <message>
        <source>pan-tilt slow mode inquiry</source>
        <translation>pan-tilt slow mode inquiry</translation>
    </message>
    <message>
        <source>version inquiry</source>
        <translation>version inquiry</translation>
    </message>
    <message>
        <source>socket</source>
        <translation>socket</translation>
    </message>
    <message>
        <source>next address</source>
        <translation>next address</translation>
    </message>
    <message>
        <source>first address</source>
        <translation>first address</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>speed</translation>
    </message>
    <message>
        <source>position</source>
        <translation>position</translation>
    </message>
    <message>
        <source>zoom</source>
        <translation>zoom</translation>
    </message>
    <message>
        <source>focus</source>
        <translation>focus</translation>
    </message>
    <message>
        <source>limit</source>
        <translation>limit</translation>
    </message>
    <message>
        <source>sensitivity</source>
        <translation>sensitivity</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>mode</translation>
    </message>
    <message>
        <source>gain</source>
        <translation>gain</translation>
    </message>
    <message>
        <source>shutter</source>
        <translation>shutter</translation>
    </message>
    <message>
        <source>iris</source>
        <translation>iris</translation>
    </message>
    <message>
        <source>bright</source>
        <translation>bright</translation>
    </message>
    <message>
        <source>compensation</source>
        <translation>compensation</translation>
    </message>
    <message>
        <source>aperture</source>
        <translation>aperture</translation>
    </message>
    <message>
        <source>level</source>
        <translation>level</translation>
    </message>
    <message>
        <source>hue</source>
        <translation>hue</translation>
    </message>
    <message>
        <source>effect</source>
        <translation>effect</translation>
    </message>
    <message>
        <source>night mode (IR cut filter out)</source>
        <translation>night mode (IR cut filter out)</translation>
    </message>
    <message>
        <source>auto</source>
        <translation>auto</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>menu</translation>
    </message>
    <message>
        <source>preset</source>
        <translation>preset</translation>
    </message>
    <message>
        <source>red lamp</source>
        <translation>red lamp</translation>
    </message>
    <message>
        <source>green lamp</source>
        <translation>green lamp</translation>
    </message>
    <message>
        <source>pan speed</source>
        <translation>pan speed</translation>
    </message>
    <message>
        <source>tilt speed</source>
        <translation>tilt speed</translation>
    </message>
    <message>
        <source>pan</source>
        <translation>pan</translation>
    </message>
    <message>
        <source>tilt</source>
        <translation>tilt</translation>
    </message>
    <message>
        <source>corner</source>
        <translation>corner</translation>
    </message>
    <message>
        <source>slow</source>
        <translation>slow</translation>
    </message>
    <message>
        <source>status</source>
        <translation>status</translation>
    </message>
    <message>
        <source>vendor</source>
        <translation>vendor</translation>
    </message>
    <message>
        <source>model</source>
        <translation>model</translation>
    </message>
    <message>
        <source>ROM version</source>
        <translation>ROM version</translation>
    </message>
    <message>
        <source>sockets</source>
        <translation>sockets</translation>
    </message>
    <message>
        <source>on</source>
        <translation>on</translation>
    </message>
    <message>
        <source>standby</source>
        <translation>standby</translation>
    </message>
    <message>
        <source>off</source>
        <translation>off</translation>
    </message>
    <message>
        <source>manual</source>
        <translation>manual</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>normal</translation>
    </message>
    <message>
        <source>low</source>
        <translation>low</translation>
    </message>
    <message>
        <source>interval</source>
        <translation>interval</translation>
    </message>
    <message>
        <source>zoom trigger</source>
        <translation>zoom trigger</translation>
    </message>
    <message>
        <source>indoor</source>
        <translation>indoor</translation>
    </message>
    <message>
        <source>outdoor</source>
        <translation>outdoor</translation>
    </message>
    <message>
        <source>one push</source>
        <translation>one push</translation>
    </message>
    <message>
        <source>auto tracing</source>
        <translation>auto tracing</translation>
    </message>
    <message>
        <source>full auto</source>
        <translation>full auto</translation>
    </message>
    <message>
        <source>shutter priority</source>
        <translation>shutter priority</translation>
    </message>
    <message>
        <source>iris priority</source>
        <translation>iris priority</translation>
    </message>
    <message>
        <source>black and white</source>
        <translation>black and white</translation>
    </message>
    <message>
        <source>left</source>
        <translation>left</translation>
    </message>
    <message>
        <source>right</source>
        <translation>right</translation>
    </message>
    <message>
        <source>still</source>
        <translation>still</translation>
    </message>
    <message>
        <source>up</source>
        <translation>up</translation>
    </message>
    <message>
        <source>down</source>
        <translation>down</translation>
    </message>
    <message>
        <source>down-left</source>
        <translation>down-left</translation>
    </message>
    <message>
        <source>up-right</source>
        <translation>up-right</translation>
    </message>
</context>
</TS>
