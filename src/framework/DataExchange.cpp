#include "framework/DataExchange.h"

#include <optional>

#include "framework/CharCount.h"
#include "framework/Dialog.h"
#include "framework/NumberText.h"

namespace qv {

void CDataExchange::Tell(const std::string& message, int control) {
    m_dialog.GetUi().Message(message, {}, MsgButtons::Ok, MsgIcon::Exclamation);
    m_dialog.GotoDlgCtrl(control);
}

void CDataExchange::Fail(const std::string& message) {
    Tell(message, m_lastControl);
    throw DataExchangeFailure{};
}

void CDataExchange::Tolerate(const std::string& message) {
    if (m_toleratedControl == 0) {
        m_toleratedMessage = message;
        m_toleratedControl = m_lastControl;
    }
}

void CDataExchange::Finish() {
    if (m_toleratedControl != 0) {
        Tell(m_toleratedMessage, m_toleratedControl);
    }
}

std::string RangeMessage(long long lower, long long upper) {
    return "Please enter an integer between " + std::to_string(lower) + " and " +
           std::to_string(upper) + ".";
}

std::string MaxCharsMessage(int count) {
    return "Please enter no more than " + std::to_string(count) + " characters.";
}

namespace {

// Saving stores the parsed value at once, so a range check that follows finds
// the entered value already in the member; a text that does not parse leaves
// the member alone.
template <typename T, typename Parse, typename Format>
void ExchangeNumber(CDataExchange& dx, int id, T& value, Parse parse, Format format,
                    const char* refusal) {
    dx.PrepareCtrl(id);
    CDialog& dialog = dx.Dialog();
    if (!dx.IsSaving()) {
        dialog.SetDlgItemText(id, format(value));
        return;
    }
    const std::optional<T> parsed = parse(dialog.GetDlgItemText(id));
    if (!parsed) {
        dx.Fail(refusal);
    }
    value = *parsed;
}

template <typename T>
std::string Decimal(T value) {
    return std::to_string(value);
}

template <typename T>
void CheckRange(CDataExchange& dx, T value, T lower, T upper) {
    if (dx.IsSaving() && (value < lower || value > upper)) {
        dx.Fail(RangeMessage(lower, upper));
    }
}

}  // namespace

void DDX_Text(CDataExchange& dx, int id, std::int32_t& value) {
    ExchangeNumber(dx, id, value, ParseInt32, Decimal<std::int32_t>, kParseIntMessage);
}

void DDX_Text(CDataExchange& dx, int id, std::uint32_t& value) {
    ExchangeNumber(dx, id, value, ParseUInt32, Decimal<std::uint32_t>, kParseUIntMessage);
}

void DDX_Text(CDataExchange& dx, int id, float& value) {
    ExchangeNumber(dx, id, value, ParseFloat, FormatFloat, kParseRealMessage);
}

void DDX_Text(CDataExchange& dx, int id, std::string& value) {
    dx.PrepareCtrl(id);
    if (dx.IsSaving()) {
        value = dx.Dialog().GetDlgItemText(id);
    } else {
        dx.Dialog().SetDlgItemText(id, value);
    }
}

void DDX_Check(CDataExchange& dx, int id, std::int32_t& value) {
    dx.PrepareCtrl(id);
    if (dx.IsSaving()) {
        value = dx.Dialog().IsDlgButtonChecked(id);
    } else {
        dx.Dialog().CheckDlgButton(id, value);
    }
}

void DDX_Radio(CDataExchange& dx, int firstId, std::int32_t& value) {
    dx.PrepareCtrl(firstId);
    CDialog& dialog = dx.Dialog();
    const std::vector<int> group = dialog.Template().RadioGroup(firstId);
    if (dx.IsSaving()) {
        value = -1;
    }
    for (std::size_t index = 0; index < group.size(); ++index) {
        const int button = group[index];
        const auto position = static_cast<std::int32_t>(index);
        if (!dx.IsSaving()) {
            dialog.CheckDlgButton(button, position == value ? 1 : 0);
        } else if (value == -1 && dialog.IsDlgButtonChecked(button) != 0) {
            value = position;
        }
    }
}

void DDV_MinMaxInt(CDataExchange& dx, std::int32_t value, std::int32_t lower, std::int32_t upper) {
    CheckRange(dx, value, lower, upper);
}

void DDV_MinMaxUInt(CDataExchange& dx, std::uint32_t value, std::uint32_t lower,
                    std::uint32_t upper) {
    CheckRange(dx, value, lower, upper);
}

void DDV_MaxChars(CDataExchange& dx, const std::string& value, int count) {
    if (!dx.IsSaving()) {
        dx.Dialog().LimitText(dx.LastControl(), count);
        return;
    }
    if (CharCount(value) > static_cast<std::size_t>(count)) {
        dx.Fail(MaxCharsMessage(count));
    }
}

}  // namespace qv
