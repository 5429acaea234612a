#pragma once
// The document preview written into diagram files: the whole diagram in a
// 124 x 112 picture of 24 bits on white.
#include "platform/GlobalMem.h"

class CKavoDoc;

// The preview as a bitmap block; null for a diagram without objects or when
// it cannot be drawn.
HGLOBAL RenderDocPreview(CKavoDoc& doc);
