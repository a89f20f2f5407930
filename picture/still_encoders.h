#pragma once

#include "encoder.h"

// The formats of one picture: each frame is encoded as it comes, replacing the
// one before, and only the finish writes it, so a picture bound for standard
// output is held back until the rest of the run has succeeded.
bool BeginStill(Encoder& encoder, const Canvas& surface);
bool FinishStill(Encoder& encoder);

bool AddPngFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool AddBmpFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool AddSvgFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool AddPdfFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool AddEpsFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool AddObjFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
bool AddCsvFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log);
