#include "tests/e2e/DragDrop.h"

#include "tests/platform/FileDragSource.h"

namespace yomorina::e2e {
namespace {

using testing::ComObject;

// Keeps the pointer on the point and lets go after a few rounds, as a hand
// that has arrived there and releases the button; Esc still cancels.
class ReleasingSource final : public ComObject<IDropSource, IID_IDropSource> {
public:
    explicit ReleasingSource(POINT point) : point_(point) {}

    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) noexcept override {
        if (escape) return DRAGDROP_S_CANCEL;
        SetCursorPos(point_.x, point_.y);
        return ++rounds_ > 4 ? DRAGDROP_S_DROP : S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) noexcept override { return DRAGDROP_S_USEDEFAULTCURSORS; }

private:
    POINT point_;
    int rounds_ = 0;
};

// Takes over the data object's reference.
DragOutcome Drag(POINT point, IDataObject* data) {
    const HRESULT ole = OleInitialize(nullptr);
    SetCursorPos(point.x, point.y);
    auto* source = new ReleasingSource(point);
    DragOutcome outcome;
    outcome.result = DoDragDrop(data, source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &outcome.effect);
    source->Release();
    data->Release();
    if (SUCCEEDED(ole)) OleUninitialize();
    return outcome;
}

}  // namespace

DragOutcome DropFilesAt(POINT point, const std::vector<std::wstring>& files) {
    return Drag(point, testing::NewFileListData(files));
}

DragOutcome DropTextAt(POINT point, const std::wstring& text) { return Drag(point, testing::NewTextData(text)); }

}  // namespace yomorina::e2e
