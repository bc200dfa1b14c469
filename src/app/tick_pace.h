// When the main thread's message loop gives the map its next tick, and how
// it waits until then.
//
// The ticks come from the loop rather than from a system timer. Under Wine
// every wait for a message costs the Wine server several calls, so while
// nobody works with our windows the loop sleeps from one tick to the next
// and looks at its queue once a tick; while the user does, it waits for
// messages as they come, as any window does. Milliseconds are a 32-bit tick
// count that wraps around.
#pragma once

#include <cstdint>

namespace tolvik {

inline constexpr std::uint32_t kTickPeriodMs = 100;
// How long after the last keyboard or mouse input the loop stays attentive.
inline constexpr std::uint32_t kAttentiveMs = 2000;

struct TickPace {
    std::uint32_t nextTick = 0;
    std::uint32_t lastInput = 0;
    bool inputSeen = false;
};

// The first tick comes one period from now.
void StartTicks(TickPace& pace, std::uint32_t now);

// Milliseconds until the next tick is due; 0 when it is due now.
std::uint32_t UntilNextTick(const TickPace& pace, std::uint32_t now);

// Takes the due tick: the next follows one period after it, or one period
// from now when the loop fell a whole period behind (missed ticks are not
// made up).
void TakeTick(TickPace& pace, std::uint32_t now);

// Notes keyboard or mouse input for one of our windows.
void NoteInput(TickPace& pace, std::uint32_t now);

// Whether input came lately: then the loop wakes for each message; otherwise
// it sleeps until the next tick.
bool Attentive(const TickPace& pace, std::uint32_t now);

}  // namespace tolvik
