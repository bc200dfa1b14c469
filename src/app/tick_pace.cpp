#include "app/tick_pace.h"

namespace tolvik {
namespace {

// Signed distance from `from` to `to` on the wrapping clock.
std::int32_t Ahead(std::uint32_t to, std::uint32_t from) { return static_cast<std::int32_t>(to - from); }

}  // namespace

void StartTicks(TickPace& pace, std::uint32_t now) { pace = TickPace{now + kTickPeriodMs, 0, false}; }

std::uint32_t UntilNextTick(const TickPace& pace, std::uint32_t now) {
    const std::int32_t left = Ahead(pace.nextTick, now);
    return left > 0 ? static_cast<std::uint32_t>(left) : 0;
}

void TakeTick(TickPace& pace, std::uint32_t now) {
    pace.nextTick += kTickPeriodMs;
    if (Ahead(pace.nextTick, now) <= 0) pace.nextTick = now + kTickPeriodMs;
}

void NoteInput(TickPace& pace, std::uint32_t now) {
    pace.lastInput = now;
    pace.inputSeen = true;
}

bool Attentive(const TickPace& pace, std::uint32_t now) {
    return pace.inputSeen && now - pace.lastInput < kAttentiveMs;
}

}  // namespace tolvik
