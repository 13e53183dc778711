#ifndef ZARVICK_COMMANDS_H
#define ZARVICK_COMMANDS_H

// The command texts the control panel sends to camera 1, with their
// placeholders: HK and VN the pan and tilt speeds (two hex digits each),
// P the zoom or focus speed (one digit), XX the preset number.
namespace visca {
// Where network cameras listen unless set otherwise: raw VISCA on TCP and
// UDP, and VISCA over IP (each datagram behind an 8-byte header).
inline constexpr unsigned short tcp_port = 5678;
inline constexpr unsigned short udp_port = 1259;
inline constexpr unsigned short visca_over_ip_port = 52381;

inline constexpr const char *pan_tilt_up = "81 01 06 01 HK VN 03 01 FF";
inline constexpr const char *pan_tilt_down = "81 01 06 01 HK VN 03 02 FF";
inline constexpr const char *pan_tilt_left = "81 01 06 01 HK VN 01 03 FF";
inline constexpr const char *pan_tilt_right = "81 01 06 01 HK VN 02 03 FF";
inline constexpr const char *pan_tilt_up_left = "81 01 06 01 HK VN 01 01 FF";
inline constexpr const char *pan_tilt_up_right = "81 01 06 01 HK VN 02 01 FF";
inline constexpr const char *pan_tilt_down_left = "81 01 06 01 HK VN 01 02 FF";
inline constexpr const char *pan_tilt_down_right = "81 01 06 01 HK VN 02 02 FF";
// The stop carries no speed.
inline constexpr const char *pan_tilt_stop = "81 01 06 01 03 03 03 03 FF";
inline constexpr const char *pan_tilt_home = "81 01 06 04 FF";

inline constexpr const char *zoom_tele = "81 01 04 07 2P FF";
inline constexpr const char *zoom_wide = "81 01 04 07 3P FF";
inline constexpr const char *zoom_stop = "81 01 04 07 00 FF";

inline constexpr const char *focus_manual = "81 01 04 38 03 FF";
inline constexpr const char *focus_near = "81 01 04 08 3P FF";
inline constexpr const char *focus_far = "81 01 04 08 2P FF";
inline constexpr const char *focus_stop = "81 01 04 08 00 FF";

inline constexpr const char *preset_set = "81 01 04 3F 01 XX FF";
inline constexpr const char *preset_recall = "81 01 04 3F 02 XX FF";
} // namespace visca

#endif
