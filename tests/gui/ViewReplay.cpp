#include "ViewReplay.h"

#include <algorithm>

namespace qv::test {

ViewReplay::ViewReplay(CQvDoc& document, CSize client)
    : m_client(client), m_view(m_ui, *this), m_canvas(client.cx, client.cy) {
    m_view.AttachDocument(document);
    m_view.Create([] { return true; });
    m_view.OnInitialUpdate();
    Paint();
}

void ViewReplay::Move(unsigned flags, CPoint point) {
    m_view.OnMouseMove(flags, point);
    Paint();
}

void ViewReplay::Paint() {
    if (m_erase)
        m_canvas.Clear();
    m_erase = false;
    m_view.OnPaint(m_canvas);
}

wxImage ViewReplay::Image() const {
    wxImage image(m_canvas.Width(), m_canvas.Height(), false);
    std::copy(m_canvas.Bytes().begin(), m_canvas.Bytes().end(), image.GetData());
    return image;
}

}  // namespace qv::test
