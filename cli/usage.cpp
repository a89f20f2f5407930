#include "options.h"
#include "simd_level.h"

std::string UsageText() {
    return R"(Usage: orbiza-render [OPTIONS] [STRUCTURE...]
Draws wire-frame structures without a window, as the viewer would.

Each STRUCTURE is drawn in turn, as a selection in the viewer's list would
draw it (clear, select, redraw), all on one program state: the random source
carries over, so "Nodes" followed by "Rossler Chaos" gives the Rossler
picture that follows a Nodes picture. The files hold the last picture.
STRUCTURE is a list text (case ignored, quote texts with spaces) or its
1-based position; see --list. Without STRUCTURE the picture is what a redraw
before any selection draws: the axes with --axes, otherwise nothing.

Options (a value follows as the next argument or after '='):
  --list               print the 23 list texts with their positions and exit
  --angles AX,AY,AZ    view angles in radians (default 0,0,0)
  --time T             animation time (default 0)
  --axes               draw the reference axes first (the axis check box)
  --ticks N            apply N timer ticks before drawing (default 0); ticks
                       only advance the angles and the time, they draw nothing
  --speeds SX,SY,SZ,ST scroll-bar values for the ticks, whole numbers -50..50
                       (default 0,0,0,0); each tick adds value / 100 to
                       AngleX, AngleY, AngleZ and the animation time
  --output FILE        write the picture, 565 x 517; the extension picks the
                       format: .bmp (24-bit) or .png
  --segments FILE      write every segment of the picture, axes included, in
                       drawing order as CSV ('-' for standard output):
                       px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b
                       p and q: the model points as drawn (first, second);
                       (x1,y1), (x2,y2): their screen points; r,g,b: 0-255
  -h, --help           show this text and exit
  --version            print the program's version and exit
  --                   what follows are structures, not options

Numbers are decimals, stored as the nearest 32-bit float; they must be finite.
Files are replaced atomically: a failed write leaves an existing file as it was.

Exit status: 0 done; 1 a run-time error while drawing or a file that could not
be written; 2 a bad command line (unknown structure or option, malformed or
out-of-range number, unsupported output extension).
)";
}

std::string VersionText() {
    return "orbiza-render " ORBIZA_VERSION " (" + std::string(SimdLevelName(ActiveSimdLevel())) + ")\n";
}
