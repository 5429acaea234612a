#pragma once
// The connectors ending on each figure of a document, gathered in one walk of
// the object list when first asked. The staple pass asks for many figures,
// and no connector is attached or detached while it runs.
#include <unordered_map>
#include <vector>

class CConnector;
class CFigure;
class CKavoDoc;

class AttachedConIndex {
public:
    explicit AttachedConIndex(const CKavoDoc& doc) : m_doc(doc) {}
    const std::vector<CConnector*>& Of(const CFigure* fig);

private:
    const CKavoDoc& m_doc;
    bool m_built = false;
    std::unordered_map<const CFigure*, std::vector<CConnector*>> m_cons;
};
