#include <png.h>

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "QvTool.h"
#include "ViewFixture.h"
#include "document/TempDir.h"

namespace qv::test {
namespace {

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
    Rgb At(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
};

Picture ReadPng(const std::string& path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Picture picture;
    if (png_image_begin_read_from_file(&image, path.c_str()) == 0) {
        ADD_FAILURE() << "cannot read " << path;
        return picture;
    }
    image.format = PNG_FORMAT_RGB;
    picture.width = static_cast<int>(image.width);
    picture.height = static_cast<int>(image.height);
    picture.rgb.resize(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, picture.rgb.data(), 0, nullptr);
    return picture;
}

class RenderCommandTest : public ::testing::Test {
protected:
    RenderCommandTest() {
        Measurement m;
        m.Qv1.fill(1000);
        m.Qv1[2048] = 900;
        m.AaAntiCoinc()[100] = 40;
        Save(m);
    }
    void Save(const Measurement& m) {
        HeadlessUi ui;
        CQvDoc doc(ui, std::nullopt);
        doc.OnNewDocument();
        doc.Data() = m;
        ASSERT_TRUE(doc.OnSaveDocument(file));
    }
    int Run(std::vector<const char*> args) {
        args.insert(args.begin(), "qvtool");
        return tool::RunQvTool(static_cast<int>(args.size()), args.data(), out, err);
    }

    TempDir dir;
    std::string file = dir / "m.qv";
    std::string png = dir / "m.png";
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(RenderCommandTest, DefaultSizeAndState) {
    ASSERT_EQ(Run({"render", file.c_str(), "-o", png.c_str()}), 0) << err.str();
    const Picture picture = ReadPng(png);
    EXPECT_EQ(picture.width, 1024);
    EXPECT_EQ(picture.height, 600);
    EXPECT_EQ(picture.At(0, 300), kFieldColour);
    EXPECT_EQ(picture.At(250, 300), kCursorColour);  // channel 1000
    EXPECT_EQ(picture.At(750, 300), kCursorColour);  // channel 3000
}

TEST_F(RenderCommandTest, GivenSize) {
    ASSERT_EQ(Run({"render", file.c_str(), "-o", png.c_str(), "--size", "300x200"}), 0);
    const Picture picture = ReadPng(png);
    EXPECT_EQ(picture.width, 300);
    EXPECT_EQ(picture.height, 200);
}

TEST_F(RenderCommandTest, SamePixelsAsTheViewPaints) {
    ASSERT_EQ(Run({"render", file.c_str(), "-o", png.c_str(), "--size", "640x480", "--zoom",
                   "--scroll", "1800,100", "--cursors", "2000,2100", "--hide", "sum,coinc"}),
              0);
    HeadlessUi ui;
    CQvDoc doc(ui, std::nullopt);
    doc.OnNewDocument();
    ASSERT_TRUE(doc.OnOpenDocument(file));
    FakeHost host;
    host.client = {640, 480};
    CQvView view(ui, host);
    view.AttachDocument(doc);
    view.Create([] { return true; });
    view.OnInitialUpdate();
    view.OnToggleZoom();
    host.scroll = {1800, 100};
    view.DataParams().m_nLeftCursor = 2000;
    view.DataParams().m_nRightCursor = 2100;
    view.DataParams().m_bShowSum = 0;
    view.DataParams().m_bShowCoinc = 0;
    RgbCanvas canvas(640, 480);
    view.OnPaint(canvas);
    EXPECT_EQ(ReadPng(png).rgb, canvas.Bytes());
    EXPECT_EQ(canvas.Pixel(200, 0), kCursorColour);
}

TEST_F(RenderCommandTest, NoMeasureDrawsNoCursors) {
    ASSERT_EQ(Run({"render", file.c_str(), "-o", png.c_str(), "--no-measure"}), 0);
    EXPECT_EQ(ReadPng(png).At(250, 300), kFieldColour);
}

TEST_F(RenderCommandTest, ScrollStopsAtTheEndOfTheField) {
    ASSERT_EQ(Run({"render", file.c_str(), "-o", png.c_str(), "--size", "1000x600", "--zoom",
                   "--scroll", "9999,9999", "--cursors", "4000,4095"}),
              0);
    const Picture picture = ReadPng(png);
    // Scrolled to 3096, 168: the last channel is the last column.
    EXPECT_EQ(picture.At(904, 300), kCursorColour);
    EXPECT_EQ(picture.At(999, 599), kCursorColour);  // row 767
}

TEST_F(RenderCommandTest, BadArgumentsAreRefused) {
    EXPECT_NE(Run({"render", file.c_str(), "-o", png.c_str(), "--size", "0x5"}), 0);
    EXPECT_NE(Run({"render", file.c_str(), "-o", png.c_str(), "--cursors", "3,2"}), 0);
    EXPECT_NE(Run({"render", file.c_str(), "-o", png.c_str(), "--cursors", "1,4096"}), 0);
    EXPECT_NE(Run({"render", file.c_str(), "-o", png.c_str(), "--hide", "qv3"}), 0);
    EXPECT_NE(Run({"render", (dir / "missing.qv").c_str(), "-o", png.c_str()}), 0);
}

}  // namespace
}  // namespace qv::test
