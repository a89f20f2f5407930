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
  --output FILE        write the picture; may be given several times. The
                       extension picks the format, in any letter case:
                       .bmp (24-bit) or .png: 565 x 517 pixels (see --scale)
                       .svg: every segment as a line between its end pixel
                         centres, in its colour, on black
                       .obj: the model points before rotation, each run of
                         joined segments one 'l' element, vertex colours
                         'v x y z r g b' (0-1); a segment has the colour of
                         its first point (the later vertex of the two)
                       .webp: animated, lossless; .gif: animated, each frame
                         with its own colour table (a frame of more than 256
                         colours drops low bits of every channel until 256
                         remain, and says so); both 100 ms a frame, looping
                       A name with a frame number (%d, %4d, %04d; %% for a
                       percent sign) writes one file per frame: frame-%04d.png
  --frames N           N pictures (1..100000): the first as drawn, each next
                       one after one timer tick at --speeds, as the viewer's
                       timer draws them; frame k is the view after k ticks.
                       Above 1, every file needs a frame number in its name,
                       or must be .webp or .gif
  --seed K             start the random source from the key -K (1..32768):
                       other, reproducible "Nodes" and "Rossler Chaos" pictures
  --scale S            draw the pictures S times as large, S a decimal from
                       0.25 to 8 (default 1), for slides and posters: .bmp,
                       .png, .webp and .gif are round(565 S) x round(517 S)
                       pixels (1.5: 848 x 776, 2: 1130 x 1034, 3: 1695 x 1551,
                       4: 2260 x 2068, 8: 4520 x 4136), and every line is
                       round(S) pixels wide (at least 1), so the picture keeps
                       its weight and stays sharp. An .svg is S times as wide
                       and high with the same lines. .obj files and the
                       --segments list do not change with the scale.
                       A picture takes 4 bytes a pixel, 75 MB at 8. With
                       --frames, copies wait for the encoders: two per core
                       and two more, but no more than fit in 512 MiB (7 at 8),
                       so a run of any length at 8 holds about 0.6 GB of
                       pictures; the WebP encoder keeps about 0.5 GB more,
                       and each .bmp being encoded 170 MB
  --quiet              no progress line (shown on a terminal for --frames)
  --segments FILE      write every segment of the picture, axes included, in
                       drawing order as CSV ('-' for standard output):
                       px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b
                       p and q: the model points as drawn (first, second);
                       (x1,y1), (x2,y2): their screen points; r,g,b: 0-255;
                       with a frame number in the name, one file per frame
  -h, --help           show this text and exit
  --version            print the program's version and exit
  --                   what follows are structures, not options

Numbers are decimals, stored as the nearest 32-bit float; they must be finite.
Files are written in full or not at all: every file of a run is replaced only
when all of them could be written, so a failure leaves the old files as they
were and no new file. A frame sequence stops at its first failure; the frames
written before it are complete. A target that is not a regular file (a device,
a pipe, /dev/stdout) is written into directly, and a failed write is reported.

Exit status: 0 done; 1 a run-time error while drawing or a file that could not
be written; 2 a bad command line (unknown structure or option, malformed or
out-of-range number or scale, unsupported output extension, nothing to write).
)";
}

std::string VersionText(SimdLevel level) {
    return "orbiza-render " ORBIZA_VERSION " (" + std::string(SimdLevelName(level)) + ")\n";
}
