#ifndef ZARVICK_ANSWER_TIMES_H
#define ZARVICK_ANSWER_TIMES_H

// How long a camera takes to answer, as the program waits for it.
namespace visca {
// A camera's ACK or error comes within this of the message: a stop not
// confirmed by then goes again, a loop's next message goes anyway.
inline constexpr int reply_ms = 200;
// Nothing at all for this long: the message counts as lost and the
// camera as not answering. Seven chained cameras pass a broadcast on at
// 9600 baud well within it.
inline constexpr int silence_ms = 1000;
} // namespace visca

#endif
