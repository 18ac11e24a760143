#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <vector>

#include "document/QvDoc.h"
#include "framework/HeadlessUi.h"
#include "framework/RgbCanvas.h"
#include "view/DataParamsTemplate.h"
#include "view/QvView.h"
#include "view/ScrollModes.h"
#include "view/ViewConstants.h"
#include "view/ViewHost.h"

namespace qv::test {

// A window of fixed size that records what the view asks of it.
class FakeHost : public ViewHost {
public:
    CSize client{1024, 600};
    CPoint scroll{};
    std::vector<bool> invalidations;  // the erase flag of each
    std::optional<ScrollSizes> scrollBars;

    CSize ClientSize() const override { return client; }
    CPoint ScrollPosition() const override { return scroll; }
    void Invalidate(bool erase) override { invalidations.push_back(erase); }
    void SetScrollBars(const ScrollSizes& sizes) override {
        scrollBars = sizes;
        scroll = ClampScrollPosition(sizes.total, client, scroll);
    }
    void RemoveScrollBars() override {
        scrollBars.reset();
        scroll = {};
    }
    void ShowStatus(const std::string& text) override { statuses.push_back(text); }
    std::vector<std::string> statuses;
};

// A created view on a new document, as after start-up.
class ViewFixture : public ::testing::Test {
protected:
    ViewFixture() {
        doc.OnNewDocument();
        view.AttachDocument(doc);
        view.Create([] { return true; });
        view.OnInitialUpdate();
    }

    CDataParamsDlg& Panel() { return view.DataParams(); }
    Measurement& Data() { return doc.Data(); }
    void Recompute() { doc.UpdateStatistics(); }

    // Paints the client area into a fresh canvas of its size.
    RgbCanvas Paint(Rgb background = kWindowBackground) {
        RgbCanvas canvas(host.client.cx, host.client.cy, background);
        view.OnPaint(canvas);
        return canvas;
    }

    HeadlessUi ui;
    CQvDoc doc{ui, std::nullopt};
    FakeHost host;
    CQvView view{ui, host};
};

}  // namespace qv::test
