#include "AcquisitionGuiPlays.h"

#include <cmath>
#include <memory>

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "Pictures.h"
#include "WxText.h"
#include "document/QvDoc.h"
#include "editors/AnalogueBlockTemplate.h"
#include "framework/Dialog.h"
#include "framework/FrameworkIds.h"
#include "view/PulseRateTemplate.h"
#include "view/SliderAdjustTemplate.h"

namespace qv::test {

namespace {

constexpr char kLargestRate[] = "16777215";  // three bytes of 0xFF
// An edit box's frame (1 pixel) and padding (2) on both sides.
constexpr int kFrameAndPadding = 6;

// Columns of the box that hold dark (text) pixels: first and last, or -1.
std::pair<int, int> InkColumns(const wxImage& box) {
    int first = -1, last = -1;
    for (int x = 0; x < box.GetWidth(); ++x)
        for (int y = 0; y < box.GetHeight(); ++y)
            if (box.GetRed(x, y) + box.GetGreen(x, y) + box.GetBlue(x, y) < 300) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
    return {first, last};
}

// The largest rate as the box draws it now: empty when it shows whole (the
// text fits inside frame and padding, and its ink keeps off both edges),
// else what was seen.
std::string DigitsCutOff(wxDialog& window, wxTextCtrl& box) {
    const wxSize text = box.GetTextExtent(kLargestRate);
    const wxRect rect = box.GetRect();
    const auto [first, last] = InkColumns(GrabClient(window).GetSubImage(rect));
    const bool fits = text.x <= rect.width - kFrameAndPadding && text.y <= rect.height;
    if (fits && first > 0 && last < rect.width - 1 && last - first + 1 >= text.x * 3 / 4)
        return {};
    return "ink in columns " + std::to_string(first) + ".." + std::to_string(last) + " of " +
           std::to_string(rect.width) + ", text " + std::to_string(text.x) + " by " +
           std::to_string(text.y) + " in a box " + std::to_string(rect.height) + " high";
}

// Both boxes with the largest rate typed in; false while they may not be
// drawn yet (timers outrank drawing), true when checked.
bool CheckDigitsWhole(WindowDriver& d, int attempt) {
    wxTheApp->Yield(true);
    d.Window().Update();
    std::string cut[2];
    int id[2] = {IDC_RATE_QV2, IDC_RATE_QV1};
    for (int i = 0; i < 2; ++i) {
        auto* box = dynamic_cast<wxTextCtrl*>(d.Widget(id[i]));
        cut[i] = box ? DigitsCutOff(d.Window(), *box) : "no box";
    }
    if ((!cut[0].empty() || !cut[1].empty()) && attempt < 10)
        return false;
    for (int i = 0; i < 2; ++i)
        d.Check(cut[i].empty(),
                "16777215 shows whole in box " + std::to_string(id[i]) + ": " + cut[i]);
    return true;
}

void CheckLabelsWhole(WindowDriver& d) {
    for (wxWindow* child : d.Window().GetChildren())
        if (auto* label = dynamic_cast<wxStaticText*>(child))
            d.Check(label->GetTextExtent(label->GetLabel()).x <= label->GetSize().x,
                    "label \"" + FromWx(label->GetLabel()) + "\" fits");
}

}  // namespace

ModalPlay PlayCountRate(CountRateReading& reading) {
    auto phase = std::make_shared<int>(0);
    auto attempts = std::make_shared<int>(0);
    return [phase, attempts, &reading](WindowDriver& d, CDialog& model) {
        switch (*phase) {
            case 0:  // the first tick after opening shows the rates
                if (d.Text(IDC_RATE_QV2) == "0" || d.Text(IDC_RATE_QV1) == "0")
                    return false;
                reading = {d.Text(IDC_RATE_QV2), d.Text(IDC_RATE_QV1)};
                d.Check(d.Caption() == "Qv: pulses/sec", "count-rate caption");
                CheckLabelsWhole(d);
                *phase = 1;
                return false;
            case 1:
                d.Type(IDC_RATE_QV2, kLargestRate);
                d.Type(IDC_RATE_QV1, kLargestRate);
                *phase = 2;
                return false;
            case 2:  // unless a tick overwrote them first
                if (d.Text(IDC_RATE_QV1) != kLargestRate || d.Text(IDC_RATE_QV2) != kLargestRate)
                    *phase = 1;
                else if (CheckDigitsWhole(d, ++*attempts))
                    *phase = 3;
                return false;
            default:  // the next tick overwrites what was typed
                if (d.Text(IDC_RATE_QV1) == kLargestRate || d.Text(IDC_RATE_QV2) == kLargestRate)
                    return false;
                d.Check(KeepPicture(d.Window(), "count-rate.png"),
                        "picture of the count-rate window");
                model.OnCommand(IDCANCEL);
                return true;
        }
    };
}

bool PlaySelectStimulator(WindowDriver& d, CDialog&) {
    d.Click(IDC_INPUT_B);
    d.Click(IDC_ANALOGUE_TO_HARDWARE);
    d.Check(d.Ticked(IDC_INPUT_B) && !d.Ticked(IDC_INPUT_A), "InputB read back from the card");
    d.Click(IDCANCEL);
    return true;
}

namespace {

struct PeakIds {
    int mean, left, right, scope, integral, max, stdDev;
};
constexpr PeakIds kPeak1{IDC_SLIDER_MEAN1,  IDC_SLIDER_LEFT1,     IDC_SLIDER_RIGHT1,
                         IDC_SLIDER_SCOPE1, IDC_SLIDER_INTEGRAL1, IDC_SLIDER_MAX1,
                         IDC_SLIDER_STDDEV1};
constexpr PeakIds kPeak2{IDC_SLIDER_MEAN2,  IDC_SLIDER_LEFT2,     IDC_SLIDER_RIGHT2,
                         IDC_SLIDER_SCOPE2, IDC_SLIDER_INTEGRAL2, IDC_SLIDER_MAX2,
                         IDC_SLIDER_STDDEV2};

PeakReading ReadPeak(const WindowDriver& d, const PeakIds& ids) {
    return {d.Text(ids.mean),     d.Text(ids.left), d.Text(ids.right), d.Text(ids.scope),
            d.Text(ids.integral), d.Text(ids.max),  d.Text(ids.stdDev)};
}

long Number(const std::string& text) {
    try {
        return std::stol(text);
    } catch (...) {
        return -1;
    }
}

double Decimal(const std::string& text) {
    try {
        return std::stod(text);
    } catch (...) {
        return -1;
    }
}

// The boxes of one peak against the Aa sum the document holds: the whole run
// of non-zero channels, its integral, maximum and mean.
void CheckPeak(WindowDriver& d, const Measurement& m, const PeakReading& peak,
               const std::string& what) {
    const long left = Number(peak.left), right = Number(peak.right);
    if (left < 1 || right <= left || right >= 4095) {
        d.Check(false, what + ": limits " + peak.left + "/" + peak.right);
        return;
    }
    double total = 0, moment = 0;
    std::uint32_t max = 0;
    for (long c = left; c <= right; ++c) {
        total += m.AaSum(c);
        moment += double(c) * m.AaSum(c);
        max = std::max(max, m.AaSum(c));
    }
    d.Check(m.AaSum(left - 1) == 0 && m.AaSum(right + 1) == 0,
            what + ": the limits close the run of counted channels");
    d.Check(Number(peak.scope) == right - left + 1, what + ": scope " + peak.scope);
    d.Check(Number(peak.integral) == long(total), what + ": integral " + peak.integral);
    d.Check(Number(peak.max) == long(max) && max >= 100, what + ": max " + peak.max);
    d.Check(std::abs(Decimal(peak.mean) - moment / total) < 0.006, what + ": mean " + peak.mean);
    d.Check(Decimal(peak.stdDev) > 1 && Decimal(peak.stdDev) < (right - left) / 2.0,
            what + ": std dev " + peak.stdDev);
}

// The virtual card's stimulator puts its peaks near channels 1000 and 3000
// at the power-up gain.
SliderReading CheckPeaks(WindowDriver& d, const CQvDoc& document, const std::string& when) {
    const SliderReading reading{ReadPeak(d, kPeak1), ReadPeak(d, kPeak2)};
    CheckPeak(d, document.Data(), reading.peak1, when + ", peak 1");
    CheckPeak(d, document.Data(), reading.peak2, when + ", peak 2");
    d.Check(std::abs(Decimal(reading.peak1.mean) - 1000) < 20,
            when + ": peak 1 at the first pulse");
    d.Check(std::abs(Decimal(reading.peak2.mean) - 3000) < 30,
            when + ": peak 2 at the second pulse");
    d.CheckText(IDC_SLIDER_STATUS, "", when + ": the clear succeeded");
    return reading;
}

}  // namespace

ModalPlay PlaySliderAdjust(const CQvDoc& document, SliderReading& reading) {
    auto phase = std::make_shared<int>(0);
    auto integral = std::make_shared<std::string>();
    return [phase, integral, &document, &reading](WindowDriver& d, CDialog&) {
        switch (*phase) {
            case 0:
                d.Check(d.Caption() == "Service: Slider adjustment", "slider caption");
                // Above the noise that piles up at the trigger level.
                d.Type(IDC_SLIDER_CUTOFF, "100");
                d.Type(IDC_SLIDER_TICKS_DESIRED, "2");
                d.Click(IDC_SLIDER_TICK_UPDATE);
                *phase = 1;
                return false;
            case 1:  // one refresh clears Aa, the next two measure
                if (d.Text(IDC_SLIDER_TICKS_LEFT) != "0" || d.Text(IDC_SLIDER_MEAN2).empty())
                    return false;
                CheckPeaks(d, document, "after the clear");
                *integral = d.Text(IDC_SLIDER_INTEGRAL1);
                d.Click(IDC_SLIDER_SINGLE_UPDATE);
                *phase = 2;
                return false;
            default:  // one more measurement, of a grown spectrum
                if (d.Text(IDC_SLIDER_INTEGRAL1) == *integral)
                    return false;
                reading = CheckPeaks(d, document, "single update");
                d.Check(Number(reading.peak1.integral) > Number(*integral),
                        "the single update measured the grown spectrum");
                d.Check(KeepPicture(d.Window(), "slider-adjust.png"),
                        "picture of the slider dialog");
                d.Click(IDCANCEL);
                return true;
        }
    };
}

}  // namespace qv::test
