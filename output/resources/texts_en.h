/* English texts of the output program. Included by the resource script of
   lang_en.dll and by the portable code, so both show the same words. */
#pragma once

#define CORVANE_TEXT_101 "About CORVANE-OUT..."
#define CORVANE_TEXT_102 "The frame command has been sent to the cutter. Cut the job now?"
#define CORVANE_TEXT_103 "The selected port is not a valid COM or USB port."
#define CORVANE_TEXT_104                                                                          \
  "CORVANE-OUT was already running. All copies are closed now; send the job again from the tool " \
  "window."
#define CORVANE_TEXT_105 \
  "The CORVANE tool window is not open. Start the output from the tool window."
#define CORVANE_TEXT_106                                                                           \
  "There is no job to cut: the job file QuillonPro1.tmp is missing. Export the job from the tool " \
  "window first."

/* {port}, {sent} and {total} are filled in by the program. */
#define CORVANE_TEXT_107 "{port}: {sent} of {total} bytes sent"
#define CORVANE_TEXT_108                                                                       \
  "The cutter on {port} is still receiving the job ({sent} of {total} bytes sent). Stop the "  \
  "cut?\n\nOK stops it and closes CORVANE-OUT. Cancel lets the cut go on; CORVANE-OUT closes " \
  "when it has ended."
#define CORVANE_TEXT_109                                                                       \
  "The port {port} does not let the piece it is writing be stopped; the cutter has accepted "  \
  "{sent} of {total} bytes. The send stops when the cutter takes that piece.\n\nEnd "          \
  "CORVANE-OUT now instead? The cutter keeps what it has received; the job must then be sent " \
  "again from the tool window."

/* Under the preview when a blade offset is set; {miss} is filled in. */
#define CORVANE_TEXT_120 "Largest miss of the knife: {miss} mm"

/* Captions and labels of the dialogs in lang_en.dll. */
#define CORVANE_LABEL_CAPTION "CORVANE-OUT Output"
#define CORVANE_LABEL_PORT "Port:"
#define CORVANE_LABEL_BAUD "Baud rate:"
#define CORVANE_LABEL_MACHINE "Cutter:"
#define CORVANE_LABEL_ANGLE "Sharp-corner overcut, mm"
#define CORVANE_LABEL_CLOSED "Closing overlap, mm"
#define CORVANE_LABEL_ORDER "Inside first, least travel"
#define CORVANE_LABEL_REFRESH "&Refresh lists"
#define CORVANE_LABEL_SPARE "Pre&view"
#define CORVANE_LABEL_OUTPUT "&Output"
#define CORVANE_LABEL_STOP "&Stop"
#define CORVANE_LABEL_OK "OK"
#define CORVANE_LABEL_CANCEL "Cancel"
#define CORVANE_LABEL_BLADE "Blade:"
#define CORVANE_LABEL_ABOUT_CAPTION "About CORVANE-OUT"
#define CORVANE_LABEL_ABOUT_TEXT "CORVANE-OUT 0.1: sends cutting jobs to sign cutters."
