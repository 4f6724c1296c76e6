#pragma once

#include <string>

// Small job files and the streams they must give, worked out by hand.
namespace corvane::testing {

// One 5 mm cut, mirrored onto its DB corner (1000, 0), axes exchanged.
inline constexpr const char* kDbJob = "IN;PA;PU100,200;PD300,200;PU0,0;\r\nDB0,0,1000,0;\r\n";
inline constexpr const char* kDbStreamHpgl =
    "IN;PA;PU0,0;PU200,900;PD200,900;PD200,700;PU0,1000;PU0,0;!PG;";
inline constexpr const char* kDbStreamDmpl =
    ";:H A L0 ECN U SP1;U200,900 D200,900 D200,700 U0,1000 U0,0 @ U0,0 @";
// The same cut with the CLOSED option at 1 mm: lead-in and lead-out.
inline constexpr const char* kDbStreamClosedHpgl =
    "IN;PA;PU0,0;PU200,940;PD200,700;PD200,660;PU0,0;!PG;";

// The same cut with the ANGLE option at 1 mm: a straight cut has no corner
// to overcut, and the corner writer keeps no pen-up move after the last cut.
inline constexpr const char* kDbStreamAngleHpgl = "IN;PA;PU0,0;PU200,900;PD200,700;PU0,0;!PG;";

// A job with registration marks: a frame 140 mm wide and 90 mm high,
// mirrored onto (5200, 5200).
inline constexpr const char* kTbJob = "TB5600,3600,5200,5200;\r\nSB4;\r\nPU100,5300;PD200,5300;";
inline constexpr const char* kTbFrameCommand = "TB25,3600,5600;";
inline constexpr const char* kTbStreamHpgl =
    "IN;PA;PU0,0;PU100,5100;PD100,5100;PD100,5000;PU0,0;!PG;";

// A letter O exported outline first, mirrored onto (1000, 0). In cut
// order its counter goes first, each ring started at the vertex that makes
// the knife-up travel least (36.5 mm against the file's 46.8 mm).
inline constexpr const char* kLetterOJob =
    "IN;PA;PU100,100;PD500,100,500,500,100,500,100,100;"
    "PU200,200;PD300,200,300,300,200,300,200,200;PU0,0;\r\nDB0,0,1000,0;\r\n";
inline constexpr const char* kLetterOPlainHpgl =
    "IN;PA;PU0,0;PU100,900;PD100,900;PD100,500;PD500,500;PD500,900;PD100,900;"
    "PU200,800;PD200,800;PD200,700;PD300,700;PD300,800;PD200,800;PU0,1000;PU0,0;!PG;";
inline constexpr const char* kLetterOOrderedHpgl =
    "IN;PA;PU0,0;PU200,700;PD200,700;PD300,700;PD300,800;PD200,800;PD200,700;"
    "PU100,500;PD100,500;PD500,500;PD500,900;PD100,900;PD100,500;PU100,500;PU0,0;!PG;";

// A DB job of thousands of short cuts, for sends that take many chunks:
// each cut gives some 33 bytes of HPGL stream.
inline std::string longDbJob(int cuts) {
  std::string job = "IN;PA;";
  for (int i = 0; i < cuts; ++i) {
    const std::string x = std::to_string(100 + (i % 400) * 10);
    const std::string y = std::to_string(100 + (i / 400) * 10);
    job += "PU" + x + "," + y + ";PD" + x + "," + std::to_string(105 + (i / 400) * 10) + ";";
  }
  return job + "PU0,0;\r\nDB0,0,5000,0;\r\n";
}

}  // namespace corvane::testing
