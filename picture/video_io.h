#pragma once

#include "output_file.h"

struct AVFormatContext;
struct AVIOContext;

// The muxer's way into an OutputFile. It can seek, and read back what it
// wrote, only where the file allows it (CanRewrite); elsewhere (a pipe, a
// device, a stream) it writes straight on.
AVIOContext* NewOutputIo(OutputFile& file);
void FreeOutputIo(AVIOContext*& io);

// Lets the muxer open the file a second time, for reading: an MP4 muxer
// reads back its pictures to move them behind the index it writes last.
void AllowReadBack(AVFormatContext* muxer, OutputFile& file);
