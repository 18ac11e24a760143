#pragma once

#include <cstdint>
#include <string>

namespace qv {

class CDialog;

// Raised inside an exchange when a value is refused; UpdateData catches it.
struct DataExchangeFailure {};

// One run of DoDataExchange. Members are exchanged in the order the dialog
// calls the DDX functions; the first refused value stops the exchange, so the
// members after it keep their values.
class CDataExchange {
public:
    CDataExchange(CDialog& dialog, bool saveAndValidate)
        : m_dialog(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CDialog& Dialog() const { return m_dialog; }
    bool IsSaving() const { return m_bSaveAndValidate; }
    // The control the next validation refers to.
    void PrepareCtrl(int id) { m_lastControl = id; }
    int LastControl() const { return m_lastControl; }
    // Tells the user, puts the focus on the last control and stops the exchange.
    [[noreturn]] void Fail(const std::string& message);
    // A value outside its box's range that the dialog can still use as
    // entered: it is taken and the exchange goes on. The first such message
    // is told once every control has been taken (Finish), with the focus on
    // its control, unless a later value is refused.
    void Tolerate(const std::string& message);
    void Finish();

private:
    void Tell(const std::string& message, int control);

    CDialog& m_dialog;
    bool m_bSaveAndValidate;
    int m_lastControl = 0;
    std::string m_toleratedMessage;
    int m_toleratedControl = 0;
};

// Message texts of the framework.
std::string RangeMessage(long long lower,
                         long long upper);  // "Please enter an integer between %1 and %2."
std::string MaxCharsMessage(int count);     // "Please enter no more than %1 characters."
inline constexpr const char* kParseIntMessage = "Please enter an integer.";
inline constexpr const char* kParseUIntMessage = "Please enter a positive integer.";
inline constexpr const char* kParseRealMessage = "Please enter a number.";

// Text forms: "%d" / "%ld" for signed, "%u" / "%lu" for unsigned 32-bit members
// (the same text for our 32-bit values), "%.*g" with 6 digits for floats.
void DDX_Text(CDataExchange& dx, int id, std::int32_t& value);
void DDX_Text(CDataExchange& dx, int id, std::uint32_t& value);
void DDX_Text(CDataExchange& dx, int id, float& value);
void DDX_Text(CDataExchange& dx, int id, std::string& value);
void DDX_Check(CDataExchange& dx, int id, std::int32_t& value);
// value is the index of the selected button of the group starting at firstId,
// -1 when none is selected.
void DDX_Radio(CDataExchange& dx, int firstId, std::int32_t& value);

// Validation after the DDX_Text of the same control; only when saving.
void DDV_MinMaxInt(CDataExchange& dx, std::int32_t value, std::int32_t lower, std::int32_t upper);
void DDV_MinMaxUInt(CDataExchange& dx, std::uint32_t value, std::uint32_t lower,
                    std::uint32_t upper);
// When loading, sets the edit box's text limit; when saving, refuses longer text.
void DDV_MaxChars(CDataExchange& dx, const std::string& value, int count);

}  // namespace qv
