// A parameter file with varied values, written out by hand from the layout.
#pragma once

#include "ToolFixture.h"

// Chinese, empty and Latin names, mode "4*2*3", usePortrait 否.
inline const Bytes kVariedBase = Cat({
    {200, 0, 7, 2, 3, 4, 30, 7, 1, 2, 3, 99},
    Str("剑"), Str(""), Str("Helm"), Str("铠甲"), Str("饰品"), Str("4*2*3"),
    {0, 0, 0, 144, 47, 74, 255, 255, 255, 0, 10, 20, 30, 0, 255, 255, 0, 0, 121, 95, 60, 4},
    Str("魔法"), Str("魔攻"), Str(""),
    {15, 5, 0, 48, 85, 50, 92, 17, 30, 24, 0, 3, 6},
});

// advancedColor[1] has a top byte; two rows, the second with the unknown category 7.
inline const Bytes kVariedAdvanced = Cat({
    {10, 0x00, 0x00, 0xDF, 0xFF, 0x7F, 0x40, 0xE8, 0xC0},
    {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12},
    {0, 0, 0, 0xFF, 0, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0, 16, 0},
    {2, 2, 0, 1, 1, 9, 7, 3, 4},
});
