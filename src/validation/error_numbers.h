// The catalogue numbers of the 71 errors, by code: kE11 is 1, kE331 is 71.
// The list is the catalogue's order; error_catalogue.cc checks at compile
// time that entry kE<code> of the catalogue carries that code.
#pragma once

namespace quirovel {

// clang-format off
#define QUIROVEL_ERROR_CODES(X)                                                                   \
  X(11) X(12) X(13) X(21) X(41) X(51) X(61) X(71) X(81) X(82) X(83) X(84) X(91) X(92) X(101)     \
  X(102) X(105) X(111) X(121) X(122) X(131) X(132) X(151) X(181) X(201) X(202) X(203) X(204)     \
  X(211) X(221) X(222) X(230) X(231) X(232) X(233) X(234) X(235) X(236) X(237) X(241) X(242)     \
  X(243) X(244) X(245) X(251) X(252) X(253) X(254) X(261) X(262) X(263) X(264) X(265) X(266)     \
  X(270) X(271) X(272) X(273) X(274) X(275) X(281) X(282) X(283) X(291) X(292) X(301) X(303)     \
  X(311) X(312) X(321) X(331)
// clang-format on

enum ErrorNumber : int {
  kNoError = 0,
#define QUIROVEL_ERROR_ENUMERATOR(code) kE##code,
  QUIROVEL_ERROR_CODES(QUIROVEL_ERROR_ENUMERATOR)  //
#undef QUIROVEL_ERROR_ENUMERATOR
  kErrorNumberEnd
};

static_assert(kE331 == 71 && kErrorNumberEnd == 72, "the catalogue holds 71 errors");

}  // namespace quirovel
