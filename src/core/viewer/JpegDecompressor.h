#pragma once
// A libjpeg-turbo decompressor whose fatal errors jump back instead of
// ending the process, shared by the JPEG plug-in and the report's JPEG
// picture. Header only: only the parts that link libjpeg include it.
//
//     TDecompressor d;
//     if (setjmp(d.Errors.Jump)) return failure;  // error_exit came here
//     jpeg_create_decompress(&d.Info); ...
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

struct TJpegErrorManager {
    jpeg_error_mgr Public;
    std::jmp_buf Jump;
};

// libjpeg reports fatal errors by calling error_exit, which must not
// return: it jumps back to the decode's start.
inline void JpegErrorExit(j_common_ptr info) { std::longjmp(reinterpret_cast<TJpegErrorManager*>(info->err)->Jump, 1); }
inline void JpegNoMessage(j_common_ptr) {}

// A decompressor that is always destroyed.
struct TDecompressor {
    jpeg_decompress_struct Info{};
    TJpegErrorManager Errors{};
    TDecompressor()
    {
        Info.err = jpeg_std_error(&Errors.Public);
        Errors.Public.error_exit = JpegErrorExit;
        Errors.Public.output_message = JpegNoMessage;
    }
    ~TDecompressor() { jpeg_destroy_decompress(&Info); }
    TDecompressor(const TDecompressor&) = delete;
    TDecompressor& operator=(const TDecompressor&) = delete;
};
