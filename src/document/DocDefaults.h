#pragma once
// The program-wide defaults a new document copies that have no setting of
// their own: the default drop shadow (built from the shadow settings and
// the effect type) and the self-reference radius.
#include "document/ShadowDescription.h"

extern int ShadowEffectType;       // 0 none, 1 drop shadow
extern int g_nSelfReferenceRadius;
// While set, cutting a connector keeps the figure-link staple of its ends.
extern int g_bKeepLinks;

// The shadow settings as one record, and back.
CShadowSpec GetAppShadowDefault();
void SetAppShadowDefault(const CShadowSpec& spec);

void ResetDocDefaults();
