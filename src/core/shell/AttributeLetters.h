#pragma once
// The letters of a file's attributes, as the lists and the printed listing
// show them: R read-only, H hidden, S system, A archive, D directory,
// T temporary, C compressed, O offline, in that order.
#include <cstdint>
#include <string>

std::wstring AttributeLetters(uint32_t attributes);
