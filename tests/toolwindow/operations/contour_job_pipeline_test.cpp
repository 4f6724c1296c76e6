#include <gtest/gtest.h>

#include "ops_fixture.h"
#include "output/pipeline/output_job.h"
#include "support/fake_transport.h"
#include "support/recording_operator.h"
#include "toolwindow/contour/zevararaz.h"
#include "toolwindow/export/cutout.h"

namespace corvane::toolwindow {
namespace {

class ContourJobTest : public testing::OpsTest {};

TEST_F(ContourJobTest, TracedRectangleWithMarksReachesTheCutterFrameFirst) {
  host.addRectangle("Layer 1", "A", 20, 20, 100, 50);
  host.select({"A"});
  ZevaRaraz zevaRaraz;
  ToolContext context = Context();
  ASSERT_TRUE(zevaRaraz.TraceContour(context, 2.0));
  ASSERT_TRUE(zevaRaraz.AddMarks(context));
  ASSERT_TRUE(ExportContourCut(context, job));
  // (104 + 40) x (54 + 40) mm; the frame's right and bottom at 142 and -2 mm.
  EXPECT_EQ(corvane::testing::readFile(job.string()).substr(0, 29),
            "TB5760,3760,5680,-80;\r\nSB0;\r\n");

  corvane::testing::FakeTransport transport;
  corvane::testing::RecordingOperator output;
  output.answers = {true};
  EnglishTexts outputTexts;
  OutputJob outputJob(JobFiles{dir.path()}, transport, output, outputTexts);
  outputJob.prepareJob();
  OutputChoices choices;
  choices.port = PortEntry{"USB001", PortKind::UsbQueue, ""};
  choices.baudText = "9600";
  choices.machine = "TVM-1200";
  EXPECT_EQ(outputJob.runJob(choices), SendOutcome::Sent);
  ASSERT_EQ(transport.sends.size(), 2u);
  EXPECT_EQ(transport.sends[0].bytes, "TB25,3760,5760;");
  EXPECT_EQ(transport.sends[1].bytes.substr(0, 6), "IN;PA;");
}

}  // namespace
}  // namespace corvane::toolwindow
