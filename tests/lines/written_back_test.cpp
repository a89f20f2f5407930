// What the renderer writes of a drawing, as a segment table and as OBJ, read back to the segments it drew.
#include <gtest/gtest.h>

#include "../core/test_support.h"
#include "line_input.h"
#include "obj_writer.h"
#include "segment_text.h"
#include "segments_csv.h"

namespace {

void ExpectReadBack(const SegmentLog& log, const char* what) {
    std::vector<std::string> drawn;
    for (const SegmentRecord& s : log) drawn.push_back(SegmentText(s.p, s.q, {s.colour, true}));
    for (const auto& [format, text] :
         {std::pair{LineFormat::Csv, SegmentsCsvText(log)}, std::pair{LineFormat::Obj, ObjText(log)}}) {
        LineData data;
        LineFault fault;
        ASSERT_TRUE(ReadLineText(text, format, data, fault)) << what << ":" << fault.line << ": " << fault.what;
        ASSERT_EQ(SegmentTexts(data), drawn) << what;
    }
}

// Catches an OBJ polyline read the wrong way round, a segment given its earlier vertex's colour, a colour byte lost
// between 0..1 and 0..255, a float not read back bit for bit, polylines joined or split where the writer did not.
TEST(LinesWrittenBack, StructuresAndTheirAxesReadBackToTheSegmentsDrawn) {
    for (const CatalogueEntry& row : Catalogue()) {
        if (row.listText == "Rossler Chaos") continue;  // its 400,000 segments take a minute under the sanitizers
        Drawing d(true);
        d.scene.showAxis = true;
        Draw(d, row.listText.data(), ViewAt(0.4f, -0.6f, 0.2f, 1.3f));
        ExpectReadBack(d.log, row.listText.data());
    }
}

}  // namespace
