#pragma once

#include <wx/artprov.h>

namespace qv {

// The icons of the message boxes (exclamation, information, question, error),
// drawn in code: GTK's own message dialog shows none, and icon themes differ
// from desktop to desktop. Installed once, ahead of the toolkit's providers.
class MessageBoxIcons : public wxArtProvider {
public:
    static void Install();

protected:
    wxBitmap CreateBitmap(const wxArtID& id, const wxArtClient& client,
                          const wxSize& size) override;
};

}  // namespace qv
