#pragma once
// Planted fault: geometry reaches up into the document.
#include "platform/CRect.h"
#include "document/CKavoDoc.h"
