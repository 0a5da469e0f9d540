// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

namespace azimora::testing {

// How long a test waits for an event (a window shown or framed, a thread's
// answer, a file written) before it calls the event lost. Generous, because
// these machines are shared and a sanitizer build on a busy one runs many
// times slower; on a quiet machine every such wait ends within a second.
// A bound on waiting, never a pause: tests wait on the event itself.
inline constexpr int kEventBoundMs = 20000;

}  // namespace azimora::testing
