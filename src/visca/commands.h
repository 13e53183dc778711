#ifndef ZARVICK_COMMANDS_H
#define ZARVICK_COMMANDS_H

namespace visca {
// Where network cameras listen unless set otherwise: raw VISCA on TCP and
// UDP, and VISCA over IP (each datagram behind an 8-byte header).
inline constexpr unsigned short tcp_port = 5678;
inline constexpr unsigned short udp_port = 1259;
inline constexpr unsigned short visca_over_ip_port = 52381;
// The network cameras' enquiry and its answers (discovery.h).
inline constexpr unsigned short discovery_port = 52380;
} // namespace visca

#endif
