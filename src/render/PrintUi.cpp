#include "render/PrintUi.h"

namespace {
IPrintUi* g_printUi = nullptr;
} // namespace

void SetPrintUi(IPrintUi* ui)
{
    g_printUi = ui;
}

IPrintUi* GetPrintUi()
{
    return g_printUi;
}
