#include <charconv>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "Commands.h"
#include "PictureSize.h"
#include "ToolDocument.h"
#include "framework/RgbCanvas.h"
#include "pictures/PngFile.h"
#include "view/QvView.h"
#include "view/ScrollModes.h"
#include "view/ViewConstants.h"

namespace qv::tool {

namespace {

// A window of the requested size whose scroll bars stop where real ones would.
class RenderHost : public ViewHost {
public:
    explicit RenderHost(CSize client) : m_client(client) {}
    CSize ClientSize() const override { return m_client; }
    CPoint ScrollPosition() const override { return m_scroll; }
    void Invalidate(bool) override {}
    void SetScrollBars(const ScrollSizes& sizes) override { m_bars = sizes; }
    void RemoveScrollBars() override {
        m_bars.reset();
        m_scroll = {};
    }
    // Without scroll bars the view cannot scroll.
    void ScrollTo(CPoint position) {
        if (m_bars) {
            m_scroll = ClampScrollPosition(m_bars->total, m_client, position);
        }
    }

private:
    CSize m_client;
    CPoint m_scroll{};
    std::optional<ScrollSizes> m_bars;
};

std::optional<int> ParseCount(std::string_view text) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc{} || stop != end || value < 0) {
        return std::nullopt;
    }
    return value;
}

// "AxB" or "A,B" with non-negative integers.
std::optional<CPoint> ParsePair(std::string_view text, char separator) {
    const std::size_t at = text.find(separator);
    if (at == std::string_view::npos) {
        return std::nullopt;
    }
    const auto a = ParseCount(text.substr(0, at));
    const auto b = ParseCount(text.substr(at + 1));
    if (!a || !b) {
        return std::nullopt;
    }
    return CPoint{*a, *b};
}

bool HideCurves(CDataParamsDlg& panel, const std::vector<std::string>& names, std::ostream& err) {
    const std::map<std::string, std::int32_t CDataParamsDlg::*> flags{
        {"sum", &CDataParamsDlg::m_bShowSum},
        {"coinc", &CDataParamsDlg::m_bShowCoinc},
        {"anticoinc", &CDataParamsDlg::m_bShowAntiCoinc},
        {"qv1", &CDataParamsDlg::m_bShowQv1},
        {"qv2", &CDataParamsDlg::m_bShowQv2}};
    for (const std::string& name : names) {
        const auto it = flags.find(name);
        if (it == flags.end()) {
            err << "unknown spectrum '" << name << "' (sum, coinc, anticoinc, qv1, qv2)\n";
            return false;
        }
        panel.*(it->second) = 0;
    }
    return true;
}

bool PlaceCursors(CQvView& view, const std::optional<std::string>& text, std::ostream& err) {
    if (!text) {
        return true;
    }
    const auto cursors = ParsePair(*text, ',');
    if (!cursors || cursors->x > cursors->y || cursors->y > kLastChannel) {
        err << "--cursors wants L,R with 0 <= L <= R <= 4095\n";
        return false;
    }
    view.DataParams().m_nLeftCursor = cursors->x;
    view.DataParams().m_nRightCursor = cursors->y;
    view.UpdateCursorReadouts();
    return true;
}

// Applies the options to a view that shows the document, as the operator
// would have set them.
bool SetUpView(CQvView& view, RenderHost& host, const RenderOptions& options, std::ostream& err) {
    if (options.zoom) {
        view.OnToggleZoom();
    }
    if (options.scroll) {
        const auto scroll = ParsePair(*options.scroll, ',');
        if (!scroll) {
            err << "--scroll wants X,Y\n";
            return false;
        }
        host.ScrollTo(*scroll);
    }
    if (options.noMeasure) {
        view.DataParams().OnHide();
    }
    return PlaceCursors(view, options.cursors, err) &&
           HideCurves(view.DataParams(), options.hide, err);
}

}  // namespace

int RenderCommand(Streams io, const RenderOptions& options) {
    const auto size = ParsePair(options.size, 'x');
    if (!size || size->x == 0 || size->y == 0 || size->x > kLargestPictureSide ||
        size->y > kLargestPictureSide) {
        io.err << "--size wants WxH, each from 1 to " << kLargestPictureSide << "\n";
        return 1;
    }
    ToolDocument tool(io.err);
    if (!tool.Open(options.file)) {
        return 1;
    }
    RenderHost host({size->x, size->y});
    CQvView view(tool.GetUi(), host);
    view.AttachDocument(tool.Doc());
    view.Create([] { return true; });
    view.OnInitialUpdate();
    if (!SetUpView(view, host, options, io.err)) {
        return 1;
    }
    RgbCanvas canvas(size->x, size->y);
    view.OnPaint(canvas);
    return WritePng(canvas, options.output, io.err) ? 0 : 1;
}

}  // namespace qv::tool
