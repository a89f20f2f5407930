// What the renderer writes of a drawing, as a segment table and as OBJ, read back to the segments it drew.
#include <gtest/gtest.h>

#include "catalogue.h"
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

// Catches an OBJ polyline read the wrong way round, a segment given its earlier vertex's colour, a colour byte
// lost between 0..1 and 0..255, a float not read back bit for bit, polylines joined or split where the writer
// did not. The Rossler attractor's 400,000 segments, polylines as the others draw them, would take a minute under
// the sanitizers.
TEST(LinesWrittenBack, StructuresAndTheirAxesReadBackToTheSegmentsDrawn) {
    for (int row = 1; row <= CatalogueSize; ++row) {
        if (row == *FindStructure("Rossler Chaos")) continue;
        Scene scene;
        Canvas surface;
        SegmentLog log;
        StartUpDrawing(scene.tools, SimdLevel::Scalar);
        AttachCanvases(scene.tools, &surface);
        scene.tools.log = &log;
        scene.view = {0.4f, -0.6f, 0.2f, 1.3f};
        scene.view.StructureIndex = std::int16_t(row);
        scene.showAxis = true;
        RedrawScene(scene);
        ExpectReadBack(log, Catalogue()[row - 1].listText.data());
    }
}

}  // namespace
