#include "still_encoders.h"

#include "bmp_file.h"
#include "obj_writer.h"
#include "page_writer.h"
#include "picture_file.h"
#include "segments_csv.h"
#include "svg_writer.h"

bool BeginStill(Encoder& encoder, const Canvas&) {
    NewEncoderState<std::string>(encoder);
    return true;
}

bool FinishStill(Encoder& encoder) { return WriteOutput(*encoder.file, EncoderState<std::string>(encoder)); }

bool AddPngFrame(Encoder& encoder, const Canvas& surface, const SegmentLog&) {
    std::string& bytes = EncoderState<std::string>(encoder) = EncodePicture(surface, "PNG");
    return !bytes.empty();  // empty only when Qt's encoder failed
}

bool AddBmpFrame(Encoder& encoder, const Canvas& surface, const SegmentLog&) {
    EncodeBmp(surface, EncoderState<std::string>(encoder));
    return true;
}

bool AddSvgFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log) {
    EncoderState<std::string>(encoder) = SvgText(log, surface.width, surface.height);
    return true;
}

bool AddPdfFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log) {
    return PageBytes(PageKind::Pdf, log, surface.width, surface.height, EncoderState<std::string>(encoder));
}

bool AddEpsFrame(Encoder& encoder, const Canvas& surface, const SegmentLog& log) {
    return PageBytes(PageKind::Eps, log, surface.width, surface.height, EncoderState<std::string>(encoder));
}

bool AddObjFrame(Encoder& encoder, const Canvas&, const SegmentLog& log) {
    EncoderState<std::string>(encoder) = ObjText(log);
    return true;
}

bool AddCsvFrame(Encoder& encoder, const Canvas&, const SegmentLog& log) {
    EncoderState<std::string>(encoder) = SegmentsCsvText(log);
    return true;
}
