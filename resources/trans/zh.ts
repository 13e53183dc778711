<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_CN">
<context>
    <name>MainWindow</name>
    <message>
        <source>Baud rate</source>
        <translation>波特率</translation>
    </message>
    <message>
        <source>Call</source>
        <translation>调用</translation>
    </message>
    <message>
        <source>Clear</source>
        <translation>清空</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>关闭</translation>
    </message>
    <message>
        <source>Command format error</source>
        <translation>命令格式错误</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>连接</translation>
    </message>
    <message>
        <source>Connection timeout</source>
        <translation>连接超时</translation>
    </message>
    <message>
        <source>Control</source>
        <translation>控制</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>复制</translation>
    </message>
    <message>
        <source>Data bits</source>
        <translation>数据位</translation>
    </message>
    <message>
        <source>Disconnect</source>
        <translation>断开</translation>
    </message>
    <message>
        <source>Do you really want to exit?</source>
        <translation>是否退出程序?</translation>
    </message>
    <message>
        <source>English</source>
        <translation>English</translation>
    </message>
    <message>
        <source>Focus in</source>
        <translation>聚近</translation>
    </message>
    <message>
        <source>Focus out</source>
        <translation>聚远</translation>
    </message>
    <message>
        <source>Focus speed</source>
        <translation>聚焦速度</translation>
    </message>
    <message>
        <source>IP Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>语言</translation>
    </message>
    <message>
        <source>Loop</source>
        <translation>循环</translation>
    </message>
    <message>
        <source>MainWindow</source>
        <translation>Zarvick v@PROJECT_VERSION@</translation>
    </message>
    <message>
        <source>Manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>Mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>Net</source>
        <translation>网络</translation>
    </message>
    <message>
        <source>Network information fill in error</source>
        <translation>网络信息填写错误</translation>
    </message>
    <message>
        <source>Open serial error</source>
        <translation>打开串口错误</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>通讯配置</translation>
    </message>
    <message>
        <source>PTZ</source>
        <translation>云台</translation>
    </message>
    <message>
        <source>Pan speed</source>
        <translation>水平速度</translation>
    </message>
    <message>
        <source>Parity</source>
        <translation>校验位</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>粘贴</translation>
    </message>
    <message>
        <source>Port</source>
        <translation>端口</translation>
    </message>
    <message>
        <source>Port information fill in error</source>
        <translation>端口信息填写错误</translation>
    </message>
    <message>
        <source>Preset</source>
        <translation>预置位</translation>
    </message>
    <message>
        <source>Preset num error</source>
        <translation>预置位号错误</translation>
    </message>
    <message>
        <source>Protocol</source>
        <translation>协议</translation>
    </message>
    <message>
        <source>Receive message</source>
        <translation>报文接收</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>全选</translation>
    </message>
    <message>
        <source>Send</source>
        <translation>发送</translation>
    </message>
    <message>
        <source>Serial</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Set</source>
        <translation>设置</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>开启</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>停止</translation>
    </message>
    <message>
        <source>Stop bits</source>
        <translation>停止位</translation>
    </message>
    <message>
        <source>The input is empty</source>
        <translation>输入为空</translation>
    </message>
    <message>
        <source>The scope of 0~3600000</source>
        <translation>范围是0~3600000</translation>
    </message>
    <message>
        <source>Tilt speed</source>
        <translation>垂直速度</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>拉近</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>拉远</translation>
    </message>
    <message>
        <source>Zoom speed</source>
        <translation>变焦速度</translation>
    </message>
    <message>
        <source>information</source>
        <translation>信息</translation>
    </message>
    <message>
        <source>warning</source>
        <translation>警告</translation>
    </message>
    <message>
        <source>中文</source>
        <translation>中文</translation>
    </message>
    <message>
        <source>The serial link was lost: %1</source>
        <translation>串口连接已断开：%1</translation>
    </message>
    <message>
        <source>The network link was lost: %1</source>
        <translation>网络连接已断开：%1</translation>
    </message>
    <message>
        <source>The camera did not confirm the stop</source>
        <translation>摄像机未确认停止命令</translation>
    </message>
    <message>
        <source>The camera is not reading: commands are refused until it reads again</source>
        <translation>摄像机未读取命令：在它恢复读取之前，新命令不予发送</translation>
    </message>
    <message>
        <source>The command could not be sent: %1</source>
        <translation>命令发送失败：%1</translation>
    </message>
    <message>
        <source>The settings could not be saved to %1: %2</source>
        <translation>设置无法保存到 %1：%2</translation>
    </message>
    <message>
        <source>Exit anyway?</source>
        <translation>仍然退出吗？</translation>
    </message>
    <message>
        <source>… %1 lines dropped: more came than the log can show</source>
        <translation>…… 丢弃了 %1 行：到达的行多于日志能显示的</translation>
    </message>
    <message>
        <source>(%1 earlier lines left the log)</source>
        <translation>（%1 行较早的记录已移出日志）</translation>
    </message>
    <message>
        <source>… (%1 more characters)</source>
        <translation>…（另有 %1 个字符未显示）</translation>
    </message>
    <message>
        <source>Key: Up arrow or keypad 8</source>
        <translation>按键：上方向键或小键盘 8</translation>
    </message>
    <message>
        <source>Key: Down arrow or keypad 2</source>
        <translation>按键：下方向键或小键盘 2</translation>
    </message>
    <message>
        <source>Key: Left arrow or keypad 4</source>
        <translation>按键：左方向键或小键盘 4</translation>
    </message>
    <message>
        <source>Key: Right arrow or keypad 6</source>
        <translation>按键：右方向键或小键盘 6</translation>
    </message>
    <message>
        <source>Key: keypad 7, or Up and Left arrows</source>
        <translation>按键：小键盘 7，或同时按上、左方向键</translation>
    </message>
    <message>
        <source>Key: keypad 9, or Up and Right arrows</source>
        <translation>按键：小键盘 9，或同时按上、右方向键</translation>
    </message>
    <message>
        <source>Key: keypad 1, or Down and Left arrows</source>
        <translation>按键：小键盘 1，或同时按下、左方向键</translation>
    </message>
    <message>
        <source>Key: keypad 3, or Down and Right arrows</source>
        <translation>按键：小键盘 3，或同时按下、右方向键</translation>
    </message>
    <message>
        <source>Key: Home or keypad 5</source>
        <translation>按键：Home 或小键盘 5</translation>
    </message>
    <message>
        <source>Key: +</source>
        <translation>按键：+</translation>
    </message>
    <message>
        <source>Key: -</source>
        <translation>按键：-</translation>
    </message>
    <message>
        <source>Key: Page Up</source>
        <translation>按键：Page Up</translation>
    </message>
    <message>
        <source>Key: Page Down</source>
        <translation>按键：Page Down</translation>
    </message>
    <message>
        <source>Stop all</source>
        <translation>全部停止</translation>
    </message>
    <message>
        <source>Key: Shift+Esc. Stops every camera, whatever moves it</source>
        <translation>按键：Shift+Esc。停止每台摄像机，无论是什么在驱动它</translation>
    </message>
    <message>
        <source>The serial port %1 is not present</source>
        <translation>串口 %1 不存在</translation>
    </message>
    <message>
        <source>Connection failed</source>
        <translation>连接失败</translation>
    </message>
    <message>
        <source>the device was removed or stopped answering</source>
        <translation>设备已被拔出或不再应答</translation>
    </message>
    <message>
        <source>No serial port is chosen</source>
        <translation>未选择串口</translation>
    </message>
    <message>
        <source>Camera %1</source>
        <translation>摄像机 %1</translation>
    </message>
    <message>
        <source>Cameras</source>
        <translation>摄像机</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>名称</translation>
    </message>
    <message>
        <source>Link</source>
        <translation>连接方式</translation>
    </message>
    <message>
        <source>Address</source>
        <translation>地址</translation>
    </message>
    <message>
        <source>State</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>添加</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>移除</translation>
    </message>
    <message>
        <source>Find cameras on the line</source>
        <translation>查找串口上的摄像机</translation>
    </message>
    <message>
        <source>No camera answered on %1</source>
        <translation>%1 上没有摄像机应答</translation>
    </message>
    <message>
        <source>Asking the cameras on %1 …</source>
        <translation>正在询问 %1 上的摄像机…</translation>
    </message>
    <message>
        <source>Cameras on %1: %2, added to the list: %3</source>
        <translation>%1 上的摄像机：%2，新加入列表：%3</translation>
    </message>
    <message>
        <source>Serial, no port chosen</source>
        <translation>串口，未选择端口</translation>
    </message>
    <message>
        <source>Serial %1, %2 baud</source>
        <translation>串口 %1，%2 波特</translation>
    </message>
    <message>
        <source>VISCA over IP %1:%2</source>
        <translation>VISCA over IP %1:%2</translation>
    </message>
    <message>
        <source>closed</source>
        <translation>已关闭</translation>
    </message>
    <message>
        <source>open</source>
        <translation>已打开</translation>
    </message>
    <message>
        <source>answering</source>
        <translation>应答中</translation>
    </message>
    <message>
        <source>not answering since %1</source>
        <translation>自 %1 起无应答</translation>
    </message>
    <message>
        <source>Find network cameras</source>
        <translation>查找网络摄像机</translation>
    </message>
    <message>
        <source>IP address to probe</source>
        <translation>要探测的 IP 地址</translation>
    </message>
    <message>
        <source>Probe</source>
        <translation>探测</translation>
    </message>
    <message>
        <source>Add to the list</source>
        <translation>加入列表</translation>
    </message>
    <message>
        <source>Model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>IP address</source>
        <translation>IP 地址</translation>
    </message>
    <message>
        <source>MAC address</source>
        <translation>MAC 地址</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>版本</translation>
    </message>
    <message>
        <source>Answer</source>
        <translation>应答</translation>
    </message>
    <message>
        <source>Network cameras that answered: %1</source>
        <translation>回应的网络摄像机：%1</translation>
    </message>
    <message>
        <source>Nothing answered at %1</source>
        <translation>在 %1 没有应答</translation>
    </message>
    <message>
        <source>The enquiry could not be sent: %1</source>
        <translation>查询无法发送：%1</translation>
    </message>
    <message>
        <source>Asking the network cameras …</source>
        <translation>正在询问网络摄像机…</translation>
    </message>
    <message>
        <source>Probing %1 …</source>
        <translation>正在探测 %1…</translation>
    </message>
    <message>
        <source>%1 is listed already as %2</source>
        <translation>%1 已在列表中：%2</translation>
    </message>
    <message>
        <source>vendor %1, model %2, ROM %3, %4 sockets</source>
        <translation>厂商 %1，型号 %2，ROM %3，%4 个插槽</translation>
    </message>
    <message>
        <source>%1 answers on %2</source>
        <translation>%1 在 %2 上应答</translation>
    </message>
    <message>
        <source>(listed as %1)</source>
        <translation>（已列为 %1）</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>pan %1, tilt %2, zoom %3 (%4 %), focus %5</source>
        <translation>水平 %1，垂直 %2，变焦 %3（%4 %），聚焦 %5</translation>
    </message>
    <message>
        <source>Keep position</source>
        <translation>保存位置</translation>
    </message>
    <message>
        <source>Go</source>
        <translation>前往</translation>
    </message>
    <message>
        <source>Position %1</source>
        <translation>位置 %1</translation>
    </message>
    <message>
        <source>%1 (cannot be used)</source>
        <translation>%1（无法使用）</translation>
    </message>
    <message>
        <source>Every address of %1 has a camera</source>
        <translation>%1 的每个地址都已有摄像机</translation>
    </message>
    <message>
        <source>%1 is at address %2 on this link already</source>
        <translation>%1 已在此连接的地址 %2 上</translation>
    </message>
    <message>
        <source>%1 has the address of %2 in config.ini: it is at address %3 now</source>
        <translation>config.ini 中 %1 与 %2 的地址相同：现在它在地址 %3</translation>
    </message>
    <message>
        <source>The address of %1 in config.ini is not 1 to 7: it is at address %2 now</source>
        <translation>config.ini 中 %1 的地址不在 1 到 7 之间：现在它在地址 %2</translation>
    </message>
    <message>
        <source>The list holds at most %1 cameras</source>
        <translation>列表最多容纳 %1 台摄像机</translation>
    </message>
    <message>
        <source>config.ini lists more than %1 cameras, or more than %2 positions of a camera: the others stay in the file, unread</source>
        <translation>config.ini 列出的摄像机多于 %1 台，或某台摄像机的位置多于 %2 个：其余的留在文件中，未读取</translation>
    </message>
    <message>
        <source>VISCA over IP</source>
        <translation>VISCA over IP</translation>
    </message>
    <message>
        <source>The active camera's link</source>
        <translation>当前摄像机的连接方式</translation>
    </message>
    <message>
        <source>%1, %2 s ago</source>
        <translation>%1，%2 秒前</translation>
    </message>
    <message>
        <source>%1 keeps at most %2 positions</source>
        <translation>%1 最多保存 %2 个位置</translation>
    </message>
    <message>
        <source>%1 did not say where it is: no position was kept</source>
        <translation>%1 没有报告它的位置：未保存位置</translation>
    </message>
    <message>
        <source>%1 is no position a camera can be sent to</source>
        <translation>%1 不是可以发送给摄像机的位置</translation>
    </message>
    <message>
        <source>%1 did not say where it is: the move was not sent</source>
        <translation>%1 没有报告它的位置：未发送移动命令</translation>
    </message>
    <message>
        <source>reconnecting (next try in %1 s)</source>
        <translation>正在重新连接（%1 秒后再试）</translation>
    </message>
    <message>
        <source>reconnecting</source>
        <translation>正在重新连接</translation>
    </message>
    <message>
        <source>%1 (%2): %3</source>
        <translation>%1（%2）：%3</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>撤销</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>知道了</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>Open all</source>
        <translation>全部打开</translation>
    </message>
    <message>
        <source>Close all</source>
        <translation>全部关闭</translation>
    </message>
    <message>
        <source>Open the cameras at start</source>
        <translation>启动时打开摄像机</translation>
    </message>
    <message>
        <source>%1 was removed</source>
        <translation>已移除 %1</translation>
    </message>
    <message>
        <source>%1 was deleted</source>
        <translation>已删除 %1</translation>
    </message>
    <message>
        <source>pan %1, tilt %2, zoom %3</source>
        <translation>水平 %1，垂直 %2，变焦 %3</translation>
    </message>
    <message>
        <source>Program</source>
        <translation>播出</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>预览</translation>
    </message>
    <message>
        <source>Off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>Tally:</source>
        <translation>指示灯：</translation>
    </message>
    <message>
        <source>No tally</source>
        <translation>无指示灯</translation>
    </message>
    <message>
        <source>How the active camera's tally lamps are set</source>
        <translation>当前摄像机指示灯的控制方式</translation>
    </message>
    <message>
        <source>Invert pan</source>
        <translation>水平反转</translation>
    </message>
    <message>
        <source>Invert tilt</source>
        <translation>垂直反转</translation>
    </message>
    <message>
        <source>Speed follows zoom</source>
        <translation>速度随变焦</translation>
    </message>
    <message>
        <source>Pan and tilt slower as the camera zooms in: a fifth of the speed at full tele</source>
        <translation>摄像机拉近时水平和垂直转动变慢：光学变焦最远端为五分之一速度</translation>
    </message>
    <message>
        <source>Go speed </source>
        <translation>前往速度 </translation>
    </message>
    <message>
        <source>Go: pad speed</source>
        <translation>前往：同云台</translation>
    </message>
    <message>
        <source>The faster axis's speed of a Go; the other is matched so that pan and tilt arrive together</source>
        <translation>前往时较快一轴的速度；另一轴随之调整，使水平和垂直同时到达</translation>
    </message>
    <message>
        <source>Move %1</source>
        <translation>运动 %1</translation>
    </message>
    <message>
        <source>%1 keeps at most %2 moves</source>
        <translation>%1 最多保存 %2 个运动</translation>
    </message>
    <message>
        <source>%1 did not say where it is: no move was recorded</source>
        <translation>%1 没有报告它的位置：未录制运动</translation>
    </message>
    <message>
        <source>%1 did not say where it is: the move was not played</source>
        <translation>%1 没有报告它的位置：未播放运动</translation>
    </message>
    <message>
        <source>%1 could not be played</source>
        <translation>无法播放 %1</translation>
    </message>
    <message>
        <source>Stop recording</source>
        <translation>停止录制</translation>
    </message>
    <message>
        <source>Record move</source>
        <translation>录制运动</translation>
    </message>
    <message>
        <source>Stop playing</source>
        <translation>停止播放</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>播放</translation>
    </message>
    <message>
        <source>Delete move</source>
        <translation>删除运动</translation>
    </message>
    <message>
        <source>The active camera's recorded moves</source>
        <translation>当前摄像机录制的运动</translation>
    </message>
    <message>
        <source>HTTP interface on %1 port %2</source>
        <translation>HTTP 接口：%1 端口 %2</translation>
    </message>
    <message>
        <source>OSC interface on %1 port %2</source>
        <translation>OSC 接口：%1 端口 %2</translation>
    </message>
    <message>
        <source>API/Listen is no IP address: %1</source>
        <translation>API/Listen 不是 IP 地址：%1</translation>
    </message>
    <message>
        <source>HTTP listens beyond 127.0.0.1 only with API/Token set</source>
        <translation>只有设置了 API/Token，HTTP 才会在 127.0.0.1 以外监听</translation>
    </message>
    <message>
        <source>OSC listens beyond 127.0.0.1 only with API/Token and API/OscSenders set</source>
        <translation>只有设置了 API/Token 和 API/OscSenders，OSC 才会在 127.0.0.1 以外监听</translation>
    </message>
    <message>
        <source>HTTP cannot listen on %1 port %2</source>
        <translation>HTTP 无法在 %1 端口 %2 上监听</translation>
    </message>
    <message>
        <source>OSC cannot listen on %1 port %2: %3</source>
        <translation>OSC 无法在 %1 端口 %2 上监听：%3</translation>
    </message>
    <message>
        <source>Add a camera</source>
        <translation>添加摄像机</translation>
    </message>
    <message>
        <source>Serial port</source>
        <translation>串口号</translation>
    </message>
    <message>
        <source>VISCA address</source>
        <translation>VISCA 地址</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>连接被拒绝</translation>
    </message>
    <message>
        <source>The remote host closed the connection</source>
        <translation>远程主机关闭了连接</translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation>找不到主机</translation>
    </message>
    <message>
        <source>Network unreachable</source>
        <translation>网络不可达</translation>
    </message>
    <message>
        <source>Network is unreachable</source>
        <translation>网络不可达</translation>
    </message>
    <message>
        <source>Socket operation timed out</source>
        <translation>套接字操作超时</translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation>连接超时</translation>
    </message>
    <message>
        <source>Connection reset by peer</source>
        <translation>连接被对方重置</translation>
    </message>
    <message>
        <source>Address in use</source>
        <translation>地址已被占用</translation>
    </message>
    <message>
        <source>Datagram was too large to send</source>
        <translation>数据报太大，无法发送</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>权限不足</translation>
    </message>
    <message>
        <source>No such file or directory</source>
        <translation>没有那个文件或目录</translation>
    </message>
    <message>
        <source>No such device</source>
        <translation>没有那个设备</translation>
    </message>
    <message>
        <source>Device or resource busy</source>
        <translation>设备或资源忙</translation>
    </message>
    <message>
        <source>Resource temporarily unavailable</source>
        <translation>资源暂时不可用</translation>
    </message>
    <message>
        <source>Input/output error</source>
        <translation>输入/输出错误</translation>
    </message>
    <message>
        <source>Broken pipe</source>
        <translation>管道已断开</translation>
    </message>
    <message>
        <source>Is a directory</source>
        <translation>是一个目录</translation>
    </message>
    <message>
        <source>Unknown error</source>
        <translation>未知错误</translation>
    </message>
    <message>
        <source>Explain</source>
        <translation>解释</translation>
    </message>
    <message>
        <source>Each message's meaning below it, and each reply's time</source>
        <translation>每条消息下方显示其含义，以及每个回复所用的时间</translation>
    </message>
    <message>
        <source>incomplete: no FF at its end</source>
        <translation>不完整：末尾没有 FF</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>未知</translation>
    </message>
    <message>
        <source>answer to %1</source>
        <translation>%1 的回答</translation>
    </message>
    <message>
        <source>ACK to %1</source>
        <translation>%1 的确认（ACK）</translation>
    </message>
    <message>
        <source>completion of %1</source>
        <translation>%1 已完成</translation>
    </message>
    <message>
        <source>%1 (to %2)</source>
        <translation>%1（回复 %2）</translation>
    </message>
    <message>
        <source>%1, %2 ms</source>
        <translation>%1，%2 毫秒</translation>
    </message>
    <message>
        <source>Search the commands by name or bytes</source>
        <translation>按名称或字节搜索命令</translation>
    </message>
    <message>
        <source>Ask the camera</source>
        <translation>询问摄像机</translation>
    </message>
    <message>
        <source>Inquiry</source>
        <translation>查询</translation>
    </message>
    <message>
        <source>Sent</source>
        <translation>发送的字节</translation>
    </message>
    <message>
        <source>Meaning</source>
        <translation>含义</translation>
    </message>
    <message>
        <source>Ask again</source>
        <translation>重新询问</translation>
    </message>
    <message>
        <source>Copy as text</source>
        <translation>复制为文本</translation>
    </message>
    <message>
        <source>no answer</source>
        <translation>无回答</translation>
    </message>
    <message>
        <source>The active camera has no open link: nothing was asked</source>
        <translation>当前摄像机没有打开的连接：未发出任何查询</translation>
    </message>
    <message>
        <source>Asking %1: %2 of %3</source>
        <translation>正在询问 %1：%2 / %3</translation>
    </message>
    <message>
        <source>%1 answered %2 of %3 inquiries</source>
        <translation>%1 回答了 %3 个查询中的 %2 个</translation>
    </message>
    <message>
        <source>Tally source</source>
        <translation>Tally 来源</translation>
    </message>
    <message>
        <source>No source</source>
        <translation>无来源</translation>
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
        <translation>设置…</translation>
    </message>
    <message>
        <source>Transport</source>
        <translation>传输方式</translation>
    </message>
    <message>
        <source>Listen on</source>
        <translation>监听地址</translation>
    </message>
    <message>
        <source>Switcher address</source>
        <translation>切换台地址</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>密码</translation>
    </message>
    <message>
        <source>Program tally (1-4)</source>
        <translation>主输出 Tally 位（1-4）</translation>
    </message>
    <message>
        <source>Preview tally (1-4)</source>
        <translation>预览 Tally 位（1-4）</translation>
    </message>
    <message>
        <source>Camera</source>
        <translation>摄像机</translation>
    </message>
    <message>
        <source>Index or input</source>
        <translation>索引或输入</translation>
    </message>
    <message>
        <source>OBS scenes (separated by |)</source>
        <translation>OBS 场景（以 | 分隔）</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>应用</translation>
    </message>
    <message>
        <source>waiting for the switcher</source>
        <translation>等待切换台</translation>
    </message>
    <message>
        <source>connected</source>
        <translation>已连接</translation>
    </message>
    <message>
        <source>lost: %1</source>
        <translation>已断开：%1</translation>
    </message>
    <message>
        <source>failed: %1</source>
        <translation>失败：%1</translation>
    </message>
    <message>
        <source> (last message %1)</source>
        <translation>（最后消息 %1）</translation>
    </message>
    <message>
        <source>no message for %1 s</source>
        <translation>%1 秒内没有消息</translation>
    </message>
    <message>
        <source>OBS closed the connection</source>
        <translation>OBS 关闭了连接</translation>
    </message>
    <message>
        <source>the switcher closed the connection</source>
        <translation>切换台关闭了连接</translation>
    </message>
    <message>
        <source>vMix closed the connection</source>
        <translation>vMix 关闭了连接</translation>
    </message>
    <message>
        <source>Tally source %1: the lamps keep their last state</source>
        <translation>Tally 来源%1：指示灯保持最后的状态</translation>
    </message>
    <message>
        <source>no port is set</source>
        <translation>未设置端口</translation>
    </message>
    <message>
        <source>Monitor pair</source>
        <translation>监视对</translation>
    </message>
    <message>
        <source>Where the controller sends (the monitor listens there)</source>
        <translation>控制器发往之处（监视在此监听）</translation>
    </message>
    <message>
        <source>The camera</source>
        <translation>摄像机</translation>
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
        <translation>类型</translation>
    </message>
    <message>
        <source>Serial line</source>
        <translation>串口</translation>
    </message>
    <message>
        <source>Monitor</source>
        <translation>监视</translation>
    </message>
    <message>
        <source>Listens</source>
        <translation>监听</translation>
    </message>
    <message>
        <source>Add…</source>
        <translation>添加…</translation>
    </message>
    <message>
        <source>Save capture…</source>
        <translation>保存记录…</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>显示</translation>
    </message>
    <message>
        <source>Both directions</source>
        <translation>两个方向</translation>
    </message>
    <message>
        <source>Controller → camera</source>
        <translation>控制器 → 摄像机</translation>
    </message>
    <message>
        <source>Camera → controller</source>
        <translation>摄像机 → 控制器</translation>
    </message>
    <message>
        <source>Every camera</source>
        <translation>所有摄像机</translation>
    </message>
    <message>
        <source>Broadcast</source>
        <translation>广播</translation>
    </message>
    <message>
        <source>Command or bytes contain…</source>
        <translation>命令或字节包含…</translation>
    </message>
    <message>
        <source>Command</source>
        <translation>命令</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>次数</translation>
    </message>
    <message>
        <source>ACK median (ms)</source>
        <translation>ACK 中位数（毫秒）</translation>
    </message>
    <message>
        <source>ACK p99 (ms)</source>
        <translation>ACK p99（毫秒）</translation>
    </message>
    <message>
        <source>Completion median (ms)</source>
        <translation>完成中位数（毫秒）</translation>
    </message>
    <message>
        <source>Completion p99 (ms)</source>
        <translation>完成 p99（毫秒）</translation>
    </message>
    <message>
        <source>Errors</source>
        <translation>错误</translation>
    </message>
    <message>
        <source>listening</source>
        <translation>监听中</translation>
    </message>
    <message>
        <source>stopped</source>
        <translation>已停止</translation>
    </message>
    <message>
        <source>Save capture</source>
        <translation>保存记录</translation>
    </message>
    <message>
        <source>Text (*.txt);;Every file (*)</source>
        <translation>文本 (*.txt);;所有文件 (*)</translation>
    </message>
    <message>
        <source>Saved %1 lines in %2.</source>
        <translation>已将 %1 行保存到 %2。</translation>
    </message>
    <message>
        <source>Not saved: %1</source>
        <translation>未保存：%1</translation>
    </message>
    <message>
        <source>the baud rate after @ is not a number from 1 to 4000000</source>
        <translation>@ 后的波特率不是 1 到 4000000 之间的数字</translation>
    </message>
    <message>
        <source>no serial device is given</source>
        <translation>未指定串口设备</translation>
    </message>
    <message>
        <source>an address and a port are needed, as in udp:127.0.0.1:1259</source>
        <translation>需要地址和端口，如 udp:127.0.0.1:1259</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not an IP address</source>
        <translation>“%1”不是 IP 地址</translation>
    </message>
    <message>
        <source>the port is not a number from 1 to 65535</source>
        <translation>端口不是 1 到 65535 之间的数字</translation>
    </message>
    <message>
        <source>&quot;%1&quot; does not start with udp:, visca-ip:, tcp: or serial:</source>
        <translation>“%1”不是以 udp:、visca-ip:、tcp: 或 serial: 开头</translation>
    </message>
    <message>
        <source>a pair is written LISTEN=TARGET</source>
        <translation>监视对的写法是 LISTEN=TARGET</translation>
    </message>
    <message>
        <source>where to listen: %1</source>
        <translation>监听端：%1</translation>
    </message>
    <message>
        <source>the camera: %1</source>
        <translation>摄像机端：%1</translation>
    </message>
    <message>
        <source>the pair would listen where its camera is</source>
        <translation>监视对会在其摄像机所在之处监听</translation>
    </message>
    <message>
        <source>not a VISCA over IP datagram</source>
        <translation>不是 VISCA over IP 数据报</translation>
    </message>
    <message>
        <source>sequence number reset</source>
        <translation>序号复位</translation>
    </message>
    <message>
        <source>sequence number reset done</source>
        <translation>序号已复位</translation>
    </message>
    <message>
        <source>, number %1</source>
        <translation>，序号 %1</translation>
    </message>
    <message>
        <source>abnormal sequence number %1</source>
        <translation>序号异常 %1</translation>
    </message>
    <message>
        <source>abnormal message, number %1</source>
        <translation>消息异常，序号 %1</translation>
    </message>
    <message>
        <source>VISCA over IP message of type %1, number %2</source>
        <translation>类型 %1 的 VISCA over IP 消息，序号 %2</translation>
    </message>
    <message>
        <source>: answered by the monitor</source>
        <translation>：由监视应答</translation>
    </message>
    <message>
        <source>no controller has spoken to this camera: passed to none</source>
        <translation>没有控制器向此摄像机发送过：不转给任何控制器</translation>
    </message>
    <message>
        <source> … (%1 bytes)</source>
        <translation>…（共 %1 字节）</translation>
    </message>
    <message>
        <source>: taken by the monitor</source>
        <translation>：由监视接收</translation>
    </message>
    <message>
        <source>no controller</source>
        <translation>无控制器</translation>
    </message>
    <message>
        <source>%1 → camera</source>
        <translation>%1 → 摄像机</translation>
    </message>
    <message>
        <source>camera → %1</source>
        <translation>摄像机 → %1</translation>
    </message>
    <message>
        <source>monitor</source>
        <translation>监视</translation>
    </message>
    <message>
        <source>%1: monitor</source>
        <translation>%1：监视</translation>
    </message>
    <message>
        <source>at most %1 pairs</source>
        <translation>最多 %1 个监视对</translation>
    </message>
    <message>
        <source>pair %1 (%2): %3</source>
        <translation>监视对 %1（%2）：%3</translation>
    </message>
    <message>
        <source>cannot listen on %1: %2</source>
        <translation>无法在 %1 监听：%2</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>无法打开 %1：%2</translation>
    </message>
    <message>
        <source>the serial line %1 failed</source>
        <translation>串口 %1 出错</translation>
    </message>
    <message>
        <source>no way to the camera %1</source>
        <translation>无法连到摄像机 %1</translation>
    </message>
    <message>
        <source>refused: the pair already has %1 controllers</source>
        <translation>已拒绝：此监视对已有 %1 个控制器</translation>
    </message>
    <message>
        <source>the camera closed the connection</source>
        <translation>摄像机关闭了连接</translation>
    </message>
    <message>
        <source>the camera's connection failed: %1</source>
        <translation>摄像机的连接出错：%1</translation>
    </message>
    <message>
        <source>forgotten after %1 minutes of silence</source>
        <translation>静默 %1 分钟后已遗忘</translation>
    </message>
    <message>
        <source>the controller closed its connection</source>
        <translation>控制器关闭了连接</translation>
    </message>
    <message>
        <source>controller connected</source>
        <translation>控制器已连接</translation>
    </message>
    <message>
        <source>the camera's serial line takes nothing more: the pair stops</source>
        <translation>摄像机的串口不再接收数据：监视对停止</translation>
    </message>
    <message>
        <source>the camera does not read what is sent: dropped</source>
        <translation>摄像机不读取发来的数据：已断开</translation>
    </message>
    <message>
        <source>the controller's serial line takes nothing more: the pair stops</source>
        <translation>控制器的串口不再接收数据：监视对停止</translation>
    </message>
    <message>
        <source>the controller does not read its replies: dropped</source>
        <translation>控制器不读取其回复：已断开</translation>
    </message>
</context>
<context>
    <name>VISCA</name>
    <message>
        <source>ACK</source>
        <translation>确认（ACK）</translation>
    </message>
    <message>
        <source>completion</source>
        <translation>完成</translation>
    </message>
    <message>
        <source>message length error</source>
        <translation>消息长度错误</translation>
    </message>
    <message>
        <source>syntax error</source>
        <translation>语法错误</translation>
    </message>
    <message>
        <source>command buffer full</source>
        <translation>命令缓冲区已满</translation>
    </message>
    <message>
        <source>command cancelled</source>
        <translation>命令已取消</translation>
    </message>
    <message>
        <source>no socket</source>
        <translation>无此套接字</translation>
    </message>
    <message>
        <source>command not executable</source>
        <translation>命令无法执行</translation>
    </message>
    <message>
        <source>network change</source>
        <translation>网络变化</translation>
    </message>
    <message>
        <source>address set answer</source>
        <translation>地址设置回答</translation>
    </message>
    <message>
        <source>address set</source>
        <translation>地址设置</translation>
    </message>
    <message>
        <source>interface clear</source>
        <translation>接口清除</translation>
    </message>
    <message>
        <source>command cancel</source>
        <translation>取消命令</translation>
    </message>
    <message>
        <source>power</source>
        <translation>电源</translation>
    </message>
    <message>
        <source>zoom stop</source>
        <translation>变焦停止</translation>
    </message>
    <message>
        <source>zoom tele</source>
        <translation>变焦拉近</translation>
    </message>
    <message>
        <source>zoom wide</source>
        <translation>变焦拉远</translation>
    </message>
    <message>
        <source>zoom tele variable</source>
        <translation>变速变焦拉近</translation>
    </message>
    <message>
        <source>zoom wide variable</source>
        <translation>变速变焦拉远</translation>
    </message>
    <message>
        <source>zoom direct</source>
        <translation>变焦直接定位</translation>
    </message>
    <message>
        <source>digital zoom</source>
        <translation>数字变焦</translation>
    </message>
    <message>
        <source>zoom and focus direct</source>
        <translation>变焦与聚焦直接定位</translation>
    </message>
    <message>
        <source>focus stop</source>
        <translation>聚焦停止</translation>
    </message>
    <message>
        <source>focus far</source>
        <translation>聚焦远</translation>
    </message>
    <message>
        <source>focus near</source>
        <translation>聚焦近</translation>
    </message>
    <message>
        <source>focus far variable</source>
        <translation>变速聚焦远</translation>
    </message>
    <message>
        <source>focus near variable</source>
        <translation>变速聚焦近</translation>
    </message>
    <message>
        <source>focus direct</source>
        <translation>聚焦直接定位</translation>
    </message>
    <message>
        <source>focus mode</source>
        <translation>聚焦模式</translation>
    </message>
    <message>
        <source>focus auto/manual toggle</source>
        <translation>聚焦自动/手动切换</translation>
    </message>
    <message>
        <source>one push autofocus</source>
        <translation>一键自动聚焦</translation>
    </message>
    <message>
        <source>focus infinity</source>
        <translation>聚焦无穷远</translation>
    </message>
    <message>
        <source>focus near limit</source>
        <translation>聚焦近端限制</translation>
    </message>
    <message>
        <source>autofocus sensitivity</source>
        <translation>自动聚焦灵敏度</translation>
    </message>
    <message>
        <source>autofocus mode</source>
        <translation>自动聚焦模式</translation>
    </message>
    <message>
        <source>white balance mode</source>
        <translation>白平衡模式</translation>
    </message>
    <message>
        <source>white balance one push trigger</source>
        <translation>白平衡一键触发</translation>
    </message>
    <message>
        <source>red gain reset</source>
        <translation>红色增益复位</translation>
    </message>
    <message>
        <source>red gain up</source>
        <translation>红色增益增加</translation>
    </message>
    <message>
        <source>red gain down</source>
        <translation>红色增益减少</translation>
    </message>
    <message>
        <source>red gain direct</source>
        <translation>红色增益直接设置</translation>
    </message>
    <message>
        <source>blue gain reset</source>
        <translation>蓝色增益复位</translation>
    </message>
    <message>
        <source>blue gain up</source>
        <translation>蓝色增益增加</translation>
    </message>
    <message>
        <source>blue gain down</source>
        <translation>蓝色增益减少</translation>
    </message>
    <message>
        <source>blue gain direct</source>
        <translation>蓝色增益直接设置</translation>
    </message>
    <message>
        <source>exposure mode</source>
        <translation>曝光模式</translation>
    </message>
    <message>
        <source>shutter reset</source>
        <translation>快门复位</translation>
    </message>
    <message>
        <source>shutter up</source>
        <translation>快门增加</translation>
    </message>
    <message>
        <source>shutter down</source>
        <translation>快门减少</translation>
    </message>
    <message>
        <source>shutter direct</source>
        <translation>快门直接设置</translation>
    </message>
    <message>
        <source>iris reset</source>
        <translation>光圈复位</translation>
    </message>
    <message>
        <source>iris up</source>
        <translation>光圈增大</translation>
    </message>
    <message>
        <source>iris down</source>
        <translation>光圈减小</translation>
    </message>
    <message>
        <source>iris direct</source>
        <translation>光圈直接设置</translation>
    </message>
    <message>
        <source>gain reset</source>
        <translation>增益复位</translation>
    </message>
    <message>
        <source>gain up</source>
        <translation>增益增加</translation>
    </message>
    <message>
        <source>gain down</source>
        <translation>增益减少</translation>
    </message>
    <message>
        <source>gain direct</source>
        <translation>增益直接设置</translation>
    </message>
    <message>
        <source>bright reset</source>
        <translation>亮度复位</translation>
    </message>
    <message>
        <source>bright up</source>
        <translation>亮度增加</translation>
    </message>
    <message>
        <source>bright down</source>
        <translation>亮度减少</translation>
    </message>
    <message>
        <source>bright direct</source>
        <translation>亮度直接设置</translation>
    </message>
    <message>
        <source>exposure compensation</source>
        <translation>曝光补偿</translation>
    </message>
    <message>
        <source>exposure compensation reset</source>
        <translation>曝光补偿复位</translation>
    </message>
    <message>
        <source>exposure compensation up</source>
        <translation>曝光补偿增加</translation>
    </message>
    <message>
        <source>exposure compensation down</source>
        <translation>曝光补偿减少</translation>
    </message>
    <message>
        <source>exposure compensation direct</source>
        <translation>曝光补偿直接设置</translation>
    </message>
    <message>
        <source>backlight</source>
        <translation>背光补偿</translation>
    </message>
    <message>
        <source>wide dynamic range</source>
        <translation>宽动态</translation>
    </message>
    <message>
        <source>aperture reset</source>
        <translation>锐度复位</translation>
    </message>
    <message>
        <source>aperture up</source>
        <translation>锐度增加</translation>
    </message>
    <message>
        <source>aperture down</source>
        <translation>锐度减少</translation>
    </message>
    <message>
        <source>aperture direct</source>
        <translation>锐度直接设置</translation>
    </message>
    <message>
        <source>noise reduction</source>
        <translation>降噪</translation>
    </message>
    <message>
        <source>gamma</source>
        <translation>伽马</translation>
    </message>
    <message>
        <source>colour gain direct</source>
        <translation>色彩增益直接设置</translation>
    </message>
    <message>
        <source>hue direct</source>
        <translation>色调直接设置</translation>
    </message>
    <message>
        <source>defog</source>
        <translation>去雾</translation>
    </message>
    <message>
        <source>high resolution</source>
        <translation>高分辨率</translation>
    </message>
    <message>
        <source>stabilizer</source>
        <translation>防抖</translation>
    </message>
    <message>
        <source>freeze</source>
        <translation>画面冻结</translation>
    </message>
    <message>
        <source>picture effect</source>
        <translation>画面效果</translation>
    </message>
    <message>
        <source>IR cut filter</source>
        <translation>红外截止滤光片</translation>
    </message>
    <message>
        <source>auto IR cut filter</source>
        <translation>自动红外截止滤光片</translation>
    </message>
    <message>
        <source>mirror</source>
        <translation>镜像</translation>
    </message>
    <message>
        <source>flip</source>
        <translation>翻转</translation>
    </message>
    <message>
        <source>picture flip</source>
        <translation>画面翻转</translation>
    </message>
    <message>
        <source>menu display</source>
        <translation>菜单显示</translation>
    </message>
    <message>
        <source>memory reset</source>
        <translation>预置位删除</translation>
    </message>
    <message>
        <source>memory set</source>
        <translation>预置位保存</translation>
    </message>
    <message>
        <source>memory recall</source>
        <translation>预置位调用</translation>
    </message>
    <message>
        <source>tally</source>
        <translation>Tally 灯</translation>
    </message>
    <message>
        <source>green tally</source>
        <translation>绿色 Tally 灯</translation>
    </message>
    <message>
        <source>tally red and green</source>
        <translation>红绿 Tally 灯</translation>
    </message>
    <message>
        <source>pan-tilt drive</source>
        <translation>云台转动</translation>
    </message>
    <message>
        <source>pan-tilt stop</source>
        <translation>云台停止</translation>
    </message>
    <message>
        <source>pan-tilt drive up</source>
        <translation>云台向上</translation>
    </message>
    <message>
        <source>pan-tilt drive down</source>
        <translation>云台向下</translation>
    </message>
    <message>
        <source>pan-tilt drive left</source>
        <translation>云台向左</translation>
    </message>
    <message>
        <source>pan-tilt drive right</source>
        <translation>云台向右</translation>
    </message>
    <message>
        <source>pan-tilt drive up-left</source>
        <translation>云台向左上</translation>
    </message>
    <message>
        <source>pan-tilt drive up-right</source>
        <translation>云台向右上</translation>
    </message>
    <message>
        <source>pan-tilt drive down-left</source>
        <translation>云台向左下</translation>
    </message>
    <message>
        <source>pan-tilt drive down-right</source>
        <translation>云台向右下</translation>
    </message>
    <message>
        <source>pan-tilt absolute</source>
        <translation>云台绝对定位</translation>
    </message>
    <message>
        <source>pan-tilt absolute (5-digit pan)</source>
        <translation>云台绝对定位（5 位水平值）</translation>
    </message>
    <message>
        <source>pan-tilt relative</source>
        <translation>云台相对移动</translation>
    </message>
    <message>
        <source>pan-tilt relative (5-digit pan)</source>
        <translation>云台相对移动（5 位水平值）</translation>
    </message>
    <message>
        <source>pan-tilt home</source>
        <translation>云台归位</translation>
    </message>
    <message>
        <source>pan-tilt reset</source>
        <translation>云台复位</translation>
    </message>
    <message>
        <source>pan-tilt limit set</source>
        <translation>云台限位设置</translation>
    </message>
    <message>
        <source>pan-tilt limit clear</source>
        <translation>云台限位清除</translation>
    </message>
    <message>
        <source>pan-tilt slow mode</source>
        <translation>云台慢速模式</translation>
    </message>
    <message>
        <source>power inquiry</source>
        <translation>电源查询</translation>
    </message>
    <message>
        <source>zoom position inquiry</source>
        <translation>变焦位置查询</translation>
    </message>
    <message>
        <source>digital zoom inquiry</source>
        <translation>数字变焦查询</translation>
    </message>
    <message>
        <source>focus position inquiry</source>
        <translation>聚焦位置查询</translation>
    </message>
    <message>
        <source>focus mode inquiry</source>
        <translation>聚焦模式查询</translation>
    </message>
    <message>
        <source>focus near limit inquiry</source>
        <translation>聚焦近端限制查询</translation>
    </message>
    <message>
        <source>autofocus sensitivity inquiry</source>
        <translation>自动聚焦灵敏度查询</translation>
    </message>
    <message>
        <source>autofocus mode inquiry</source>
        <translation>自动聚焦模式查询</translation>
    </message>
    <message>
        <source>white balance mode inquiry</source>
        <translation>白平衡模式查询</translation>
    </message>
    <message>
        <source>red gain inquiry</source>
        <translation>红色增益查询</translation>
    </message>
    <message>
        <source>blue gain inquiry</source>
        <translation>蓝色增益查询</translation>
    </message>
    <message>
        <source>exposure mode inquiry</source>
        <translation>曝光模式查询</translation>
    </message>
    <message>
        <source>shutter inquiry</source>
        <translation>快门查询</translation>
    </message>
    <message>
        <source>iris inquiry</source>
        <translation>光圈查询</translation>
    </message>
    <message>
        <source>gain inquiry</source>
        <translation>增益查询</translation>
    </message>
    <message>
        <source>bright inquiry</source>
        <translation>亮度查询</translation>
    </message>
    <message>
        <source>exposure compensation inquiry</source>
        <translation>曝光补偿查询</translation>
    </message>
    <message>
        <source>exposure compensation position inquiry</source>
        <translation>曝光补偿值查询</translation>
    </message>
    <message>
        <source>backlight inquiry</source>
        <translation>背光补偿查询</translation>
    </message>
    <message>
        <source>wide dynamic range inquiry</source>
        <translation>宽动态查询</translation>
    </message>
    <message>
        <source>aperture inquiry</source>
        <translation>锐度查询</translation>
    </message>
    <message>
        <source>noise reduction inquiry</source>
        <translation>降噪查询</translation>
    </message>
    <message>
        <source>gamma inquiry</source>
        <translation>伽马查询</translation>
    </message>
    <message>
        <source>colour gain inquiry</source>
        <translation>色彩增益查询</translation>
    </message>
    <message>
        <source>hue inquiry</source>
        <translation>色调查询</translation>
    </message>
    <message>
        <source>high resolution inquiry</source>
        <translation>高分辨率查询</translation>
    </message>
    <message>
        <source>stabilizer inquiry</source>
        <translation>防抖查询</translation>
    </message>
    <message>
        <source>freeze inquiry</source>
        <translation>画面冻结查询</translation>
    </message>
    <message>
        <source>picture effect inquiry</source>
        <translation>画面效果查询</translation>
    </message>
    <message>
        <source>IR cut filter inquiry</source>
        <translation>红外截止滤光片查询</translation>
    </message>
    <message>
        <source>auto IR cut filter inquiry</source>
        <translation>自动红外截止滤光片查询</translation>
    </message>
    <message>
        <source>mirror inquiry</source>
        <translation>镜像查询</translation>
    </message>
    <message>
        <source>flip inquiry</source>
        <translation>翻转查询</translation>
    </message>
    <message>
        <source>picture flip inquiry</source>
        <translation>画面翻转查询</translation>
    </message>
    <message>
        <source>last preset inquiry</source>
        <translation>最近的预置位查询</translation>
    </message>
    <message>
        <source>tally inquiry</source>
        <translation>Tally 灯查询</translation>
    </message>
    <message>
        <source>menu display inquiry</source>
        <translation>菜单显示查询</translation>
    </message>
    <message>
        <source>pan-tilt position inquiry</source>
        <translation>云台位置查询</translation>
    </message>
    <message>
        <source>pan-tilt maximum speed inquiry</source>
        <translation>云台最大速度查询</translation>
    </message>
    <message>
        <source>pan-tilt mode inquiry</source>
        <translation>云台状态查询</translation>
    </message>
    <message>
        <source>pan-tilt slow mode inquiry</source>
        <translation>云台慢速模式查询</translation>
    </message>
    <message>
        <source>version inquiry</source>
        <translation>版本查询</translation>
    </message>
    <message>
        <source>socket</source>
        <translation>套接字</translation>
    </message>
    <message>
        <source>next address</source>
        <translation>下一个地址</translation>
    </message>
    <message>
        <source>first address</source>
        <translation>第一个地址</translation>
    </message>
    <message>
        <source>speed</source>
        <translation>速度</translation>
    </message>
    <message>
        <source>position</source>
        <translation>位置</translation>
    </message>
    <message>
        <source>zoom</source>
        <translation>变焦</translation>
    </message>
    <message>
        <source>focus</source>
        <translation>聚焦</translation>
    </message>
    <message>
        <source>limit</source>
        <translation>限制</translation>
    </message>
    <message>
        <source>sensitivity</source>
        <translation>灵敏度</translation>
    </message>
    <message>
        <source>mode</source>
        <translation>模式</translation>
    </message>
    <message>
        <source>gain</source>
        <translation>增益</translation>
    </message>
    <message>
        <source>shutter</source>
        <translation>快门</translation>
    </message>
    <message>
        <source>iris</source>
        <translation>光圈</translation>
    </message>
    <message>
        <source>bright</source>
        <translation>亮度</translation>
    </message>
    <message>
        <source>compensation</source>
        <translation>补偿</translation>
    </message>
    <message>
        <source>aperture</source>
        <translation>锐度</translation>
    </message>
    <message>
        <source>level</source>
        <translation>级别</translation>
    </message>
    <message>
        <source>hue</source>
        <translation>色调</translation>
    </message>
    <message>
        <source>effect</source>
        <translation>效果</translation>
    </message>
    <message>
        <source>night mode (IR cut filter out)</source>
        <translation>夜间模式（移出红外截止滤光片）</translation>
    </message>
    <message>
        <source>auto</source>
        <translation>自动</translation>
    </message>
    <message>
        <source>menu</source>
        <translation>菜单</translation>
    </message>
    <message>
        <source>preset</source>
        <translation>预置位</translation>
    </message>
    <message>
        <source>red lamp</source>
        <translation>红灯</translation>
    </message>
    <message>
        <source>green lamp</source>
        <translation>绿灯</translation>
    </message>
    <message>
        <source>pan speed</source>
        <translation>水平速度</translation>
    </message>
    <message>
        <source>tilt speed</source>
        <translation>垂直速度</translation>
    </message>
    <message>
        <source>pan</source>
        <translation>水平</translation>
    </message>
    <message>
        <source>tilt</source>
        <translation>垂直</translation>
    </message>
    <message>
        <source>corner</source>
        <translation>角</translation>
    </message>
    <message>
        <source>slow</source>
        <translation>慢速</translation>
    </message>
    <message>
        <source>status</source>
        <translation>状态</translation>
    </message>
    <message>
        <source>vendor</source>
        <translation>厂商</translation>
    </message>
    <message>
        <source>model</source>
        <translation>型号</translation>
    </message>
    <message>
        <source>ROM version</source>
        <translation>ROM 版本</translation>
    </message>
    <message>
        <source>sockets</source>
        <translation>套接字数</translation>
    </message>
    <message>
        <source>on</source>
        <translation>开</translation>
    </message>
    <message>
        <source>standby</source>
        <translation>待机</translation>
    </message>
    <message>
        <source>off</source>
        <translation>关</translation>
    </message>
    <message>
        <source>manual</source>
        <translation>手动</translation>
    </message>
    <message>
        <source>normal</source>
        <translation>普通</translation>
    </message>
    <message>
        <source>low</source>
        <translation>低</translation>
    </message>
    <message>
        <source>interval</source>
        <translation>间隔</translation>
    </message>
    <message>
        <source>zoom trigger</source>
        <translation>变焦触发</translation>
    </message>
    <message>
        <source>indoor</source>
        <translation>室内</translation>
    </message>
    <message>
        <source>outdoor</source>
        <translation>室外</translation>
    </message>
    <message>
        <source>one push</source>
        <translation>一键</translation>
    </message>
    <message>
        <source>auto tracing</source>
        <translation>自动跟踪</translation>
    </message>
    <message>
        <source>full auto</source>
        <translation>全自动</translation>
    </message>
    <message>
        <source>shutter priority</source>
        <translation>快门优先</translation>
    </message>
    <message>
        <source>iris priority</source>
        <translation>光圈优先</translation>
    </message>
    <message>
        <source>black and white</source>
        <translation>黑白</translation>
    </message>
    <message>
        <source>left</source>
        <translation>左</translation>
    </message>
    <message>
        <source>right</source>
        <translation>右</translation>
    </message>
    <message>
        <source>still</source>
        <translation>不动</translation>
    </message>
    <message>
        <source>up</source>
        <translation>上</translation>
    </message>
    <message>
        <source>down</source>
        <translation>下</translation>
    </message>
    <message>
        <source>down-left</source>
        <translation>左下</translation>
    </message>
    <message>
        <source>up-right</source>
        <translation>右上</translation>
    </message>
</context>
</TS>
