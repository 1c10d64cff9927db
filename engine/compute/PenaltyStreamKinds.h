// Kinds of the penalty-interest result periods (PenaltyBase list) beyond the
// event and special kinds of EventKind.h. They are the indexes of the report's
// line label table: 12 + slot for the assessment of penalty slot 0 to 23 (the
// slot's section code), 36 for the 6621(c) stop, 37 for its start or restart
// ("Large corp. rate increase"). A user penalty's assessment carries its
// event's own kind (4 or 10) and event index.
// Constant data. Tests: through the penalty stream.
#pragma once

namespace penalty {

constexpr int kStreamKindSlotBase = 12;   // + slot
constexpr int kStreamKindHotStop = 36;
constexpr int kStreamKindHotStart = 37;

}  // namespace penalty
