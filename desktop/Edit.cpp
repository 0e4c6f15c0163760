// desktop/Edit.cpp -- one-line edit field
#include "Edit.h"

#include <vector>

TEdit::TEdit(TComponent* owner) : TControl(owner) {
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TEdit::CreateParams(TCreateParams& params) {
    TControl::CreateParams(params);
    params.ClassName = "EDIT";
    params.Style = WS_CHILD | WS_CLIPSIBLINGS | ES_AUTOHSCROLL | (FReadOnly ? ES_READONLY : 0) |
                   (FPasswordChar ? ES_PASSWORD : 0);
    params.ExStyle = WS_EX_CLIENTEDGE;
}

void TEdit::CreateWnd() {
    TControl::CreateWnd();
    if (FMaxLength > 0) SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(FMaxLength), 0);
}

std::string TEdit::Caption() const {
    if (!FHandle) return FCaption;
    int n = GetWindowTextLengthA(FHandle);
    std::vector<char> buf(static_cast<size_t>(n) + 1);
    GetWindowTextA(FHandle, buf.data(), n + 1);
    return std::string(buf.data());
}

void TEdit::SetReadOnly(bool value) {
    FReadOnly = value;
    if (FHandle) SendMessageA(FHandle, EM_SETREADONLY, value, 0);
}

void TEdit::SetMaxLength(int value) {
    FMaxLength = value;
    if (FHandle) SendMessageA(FHandle, EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TEdit::SetPasswordChar(const std::string& value) {
    FPasswordChar = value.empty() ? 0 : value[0];
    if (FHandle) SendMessageA(FHandle, EM_SETPASSWORDCHAR, static_cast<unsigned char>(FPasswordChar), 0);
}

void TEdit::CNCommand(WORD code) {
    if (code == EN_CHANGE) {
        FCaption = Caption();
        Change();
    }
}

void TEdit::Change() {
    if (OnChange && !IsLoading()) OnChange(this);
}
