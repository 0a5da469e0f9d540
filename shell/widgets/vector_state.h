// SPDX-FileCopyrightText: 2026 The Azimora developers
// SPDX-License-Identifier: MIT
#pragma once

// Library code that uses AVX and returns without VZEROUPPER leaves the upper
// halves of the vector registers in use. On Intel cores every SSE
// instruction of code compiled for plain x86-64, as the engine is, then
// pays a transition penalty: once measured after QApplication had started,
// the installation figures took ten times as long (3.2 ms instead of
// 0.34 ms, same instruction count); AMD's Zen cores show no penalty. The
// shell clears that state where it calls into the engine: every handler of
// the main window, and the assistant's refreshes.
namespace azimora::shell {

inline void ClearUpperVectorState() {
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    if (__builtin_cpu_supports("avx")) asm volatile("vzeroupper" ::: "memory");
#endif
}

}  // namespace azimora::shell
