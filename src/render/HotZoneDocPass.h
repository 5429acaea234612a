#pragma once
// The pass over a diagram of an old file version (0 < version < 5) read by the
// full reader: the hot zones of its non-built-in figure styles and of its
// figures that have a picture and a hot zone are traced anew from the picture;
// then every open document redraws.
class CKavoDoc;

void GetHotZoneFromKGR(CKavoDoc& doc);
