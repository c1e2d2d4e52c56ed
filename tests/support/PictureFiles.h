#pragma once
// Picture files the Windows tests write for themselves: a gradient picture
// of any size as a 24-bit BMP, a JPEG (libjpeg-turbo) or a PNG (libpng).
#include <cstdint>
#include <string>
#include <vector>

// The test picture's colour at (x, y), top-left origin, as B, G, R.
void TestPixel(int x, int y, uint8_t bgr[3]);

bool WriteTestBmp(const std::wstring& path, int width, int height);
bool WriteTestJpeg(const std::wstring& path, int width, int height, int quality = 95, int dpi = 72);
bool WriteTestPng(const std::wstring& path, int width, int height, bool alpha = false, int dpi = 96);
