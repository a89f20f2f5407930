#include "licence.h"
#include "options.h"
#include "simd_level.h"

// The text is also the manual page: help2man reads it. To keep the page
// right, lay out an option as "  -x, --long ARG  text" (the tag starting in
// column 3, two spaces or more before its text, no two spaces within it),
// with its continuation lines starting exactly at its text's column; keep
// every other paragraph at the left margin, and start no indented line that
// is not an option. In running text, put no space or '(' right before a '-'
// unless an option follows: help2man sets every such word as an option.
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

With --input FILE, the lines in FILE take a structure's place: every picture
is cleared, then holds the axes with --axes and the lines, turned and shaded
by depth as a structure's segments are, with every other option and output.

An option's value follows as the next argument or after '='.

Options:
  --list                print the 23 list texts with their positions and exit
  --angles AX,AY,AZ     view angles in radians (default 0,0,0)
  --time T              animation time (default 0)
  --axes                draw the reference axes first (the axis check box)
  --ticks N             apply N timer ticks before drawing (default 0); ticks
                        only advance the angles and the time, they draw nothing
  --speeds SX,SY,SZ,ST  scroll-bar values for the ticks, whole numbers at
                        most 50 either way (default 0,0,0,0); each tick adds
                        value / 100 to AngleX, AngleY, AngleZ and the time
  --output FILE         write the picture in the format that FILE's extension
                        names (see below), or else --format's; may be given
                        several times; with --format, '-' is standard output
  --format FMT          the format of every --output whose name has no known
                        extension (standard output, a pipe, any other name):
                        png, bmp, svg, pdf, eps, obj, webp, gif, mp4 or webm.
                        A name
                        ending in .jpg, .jpeg, .tif, .tiff, .avi, .mov or .mkv
                        is refused all the same: those formats are not written
  --frames N            N pictures (1..100000): the first as drawn, each next
                        one after one timer tick at --speeds, as the viewer's
                        timer draws them; frame k is the view after k ticks.
                        Above 1, every file needs a frame number in its name,
                        or must be .webp, .gif, .mp4 or .webm
  --delay MS            how long each frame of a .webp, .gif, .mp4 or .webm
                        file lasts: 10..10000 ms (default 100, the viewer's
                        timer); a GIF counts in steps of 10 ms
  --seed K              start the random source from the key minus K
                        (1..32768): other, reproducible "Nodes" and
                        "Rossler Chaos" pictures
  --scale S             draw the pictures S times as large, S a decimal from
                        0.25 to 8 (default 1), for slides and posters: the
                        picture is round(565 S) x round(517 S) pixels (1.5:
                        848 x 776, 2: 1130 x 1034, 3: 1695 x 1551, 4: 2260 x
                        2068, 8: 4520 x 4136) and every line round(S) pixels
                        wide (at least 1), so it keeps its weight and stays
                        sharp; below, what each format holds at S. A
                        picture takes 4 bytes a pixel, 75 MB at 8. With
                        --frames, copies wait for the encoders: two per core
                        and two more, but no more than fit in 512 MiB (7 at
                        8), so a run of any length at 8 holds about 0.6 GB of
                        pictures; the WebP encoder keeps about 0.5 GB more,
                        and each .bmp being encoded 170 MB
  --view TEXT           draw a state of the window written as text, as a web
                        address carries it after '#' (v1;row=4;angles=...);
                        TEXT may be the whole address. It holds the structure,
                        the angles, the time, the axes, the speeds and the
                        random source, so it goes with none of --angles,
                        --time, --axes, --ticks, --speeds, --seed or a
                        STRUCTURE; with --frames the animation goes on from
                        there at its speeds. With --input the lines take the
                        place of its structure
  --input FILE          draw the lines in FILE instead of a structure ('-' for
                        standard input): a .csv table as --segments writes
                        it (a header naming the columns; px, py, pz, qx, qy
                        and qz needed, r, g and b if given), .obj line and
                        face elements ('v x y z [r g b]', 'l i j k ...'), or
                        a point table (.txt, .xyz or .dat): x y z a line,
                        a blank line between polylines, '#' comments. The
                        lines are moved and scaled to lie where the
                        structures lie; a segment without a colour is shaded
                        by depth from white, a colour given is drawn as it
                        is. The angles turn the lines, the time does not
                        change them. Data that cannot be read ends the run
                        with a line naming the file and its line, before
                        anything is written
  --input-format FMT    the format of --input where its name does not say
                        it (standard input, another ending): csv, obj or
                        points
  --no-fit              draw the --input lines where they are, as given:
                        the structures fit in about 1 either way
  --quiet               no progress line (shown on a terminal for --frames)
  --segments FILE       write every segment of the picture, axes included, in
                        drawing order as CSV ('-' for standard output); may
                        be given several times:
                        px,py,pz,qx,qy,qz,x1,y1,x2,y2,r,g,b; p and q are the
                        model points as drawn (first, second), (x1,y1) and
                        (x2,y2) their screen points, r,g,b 0 to 255
  -h, --help            show this text and exit
  --version             print the program's version and exit
  --                    what follows are structures, not options

The extension picks the format, in any letter case. At --scale S the picture
is round(565 S) x round(517 S) pixels, 565 x 517 at 1. .bmp (24-bit) and .png
hold the picture; .svg every segment as a line between the centres of its end
pixels, in its colour, on black, as wide and high as the picture with the view
box of the 565 x 517 one, so its lines grow with S, and segments that meet in
one colour one path; .pdf and .eps (for a paper's figures) the same lines on a
page of round(565 S) x round(517 S) points, the same bytes for the same
picture, run after run; .obj the model points
before rotation, each run of joined segments one 'l' element, with vertex
colours 'v x y z r g b' (0 to 1), a segment having the colour of its first
point (the later vertex of the two), the same at every scale, as is the
--segments list; .webp (lossless) and .gif every frame as a picture, 100 ms a
frame unless --delay says otherwise, looping. A GIF frame has its own colour
table with exactly its colours; a frame of more than 256 colours drops low bits
of every channel until 256 remain, and the run says so. .mp4 is H.264 video in
yuv420p with its index at the front, the picture's size made even: H.264 needs
even sizes, so an odd width gets one black column at the right and an odd
height one black row at the bottom (566 x 518 at 1); into a pipe, a device or
standard output it is written in fragments that play as they arrive. .webm is
VP9 video in yuv420p, the picture's size. A frame of either video, decoded, is
within 35 dB PSNR of the picture.

A name with a frame number (%d, %4d, %04d) writes one file per frame, such as
frame-%04d.png (with .mp4 or .webm, a video of one frame each); in any name,
%% stands for one percent sign.

Numbers are decimals, stored as the nearest 32-bit float; they must be finite.

Files are written in full or not at all: every file of a run is replaced only
when all of them could be written, so a failure leaves the old files as they
were and no new file. Until then a file being written has no name (where the
file system cannot make such files, a hidden .NAME.part-N beside it), so even
a crash or a kill by SIGKILL leaves the old files and no new one. A frame
sequence puts each frame's file in place when it is done, and stops at its
first failure; the frames written before it are complete. A run ended by
Ctrl-C, SIGTERM or SIGHUP leaves the old files as they were and no temporary
file; of a frame sequence, the frames completed before it.

A link is followed: the file it names is replaced, or made when it is missing,
and the link stays. A file whose owner has no write permission is kept,
whoever runs the program: the run says it is write-protected and ends before
it draws. A target that is not a regular file (a device, a pipe, /dev/stdout,
/dev/fd/N) is written into directly, and a failed write is reported. No two
outputs may reach the same place, however they name it: x.png and ./x.png, a
link and its file, '-' and /dev/stdout, or two frames' files are refused.

Exit status: 0 done; 1 a run-time error while drawing, a file that could not
be written, or a write-protected file to replace (nothing is then written); 2
a bad command line (unknown structure or option, malformed or out-of-range
number or scale, an output without a format or named for a format that is not
written, two outputs that reach one place, nothing to write, a malformed
--view address or an option beside it that sets the same state, a structure
beside --input) or --input data that cannot be read; 141 the
reader of standard output went away; 128 + N ended by signal N (130 for
Ctrl-C), after the line "orbiza-render: interrupted".
)";
}

std::string VersionText(SimdLevel level) {
    return "orbiza-render " ORBIZA_VERSION " (" + std::string(SimdLevelName(level)) + ")\n" + LicenceLines;
}
