// s/xml/Node.cpp
#include "s/xml/Node.h"

#include <cwchar>
#include <new>

#include "s/thread/Pool.h"

namespace s::xml {

Node::Node() = default;

Node::~Node() { clear(); }

void Node::clear() {
    delete[] m_name;
    m_name = nullptr;
    m_nameLength = 0;
    m_attributes.clear();
    for (uint32_t i = 0; i < m_children.count(); ++i) childAt(i)->releaseToPool();
    m_children.clear();
}

bool Node::setName(const wchar_t* text, int32_t length) {
    const uint32_t n = !text ? 0 : length < 0 ? static_cast<uint32_t>(std::wcslen(text)) : static_cast<uint32_t>(length);
    wchar_t* copy = new (std::nothrow) wchar_t[n + 1];
    if (!copy) return false;
    if (n) std::wmemcpy(copy, text, n);
    copy[n] = 0;
    delete[] m_name;
    m_name = copy;
    m_nameLength = n;
    return true;
}

bool Node::nameEquals(const wchar_t* text, int32_t length) const {
    if (!text) text = L"";
    if (length < 0) return _wcsicmp(name(), text) == 0;
    return m_nameLength == static_cast<uint32_t>(length) && (length == 0 || std::wmemcmp(m_name, text, length) == 0);
}

Node* Node::addChildNamed(const wchar_t* text, int32_t length) {
    Node* child = s::thread::Pool<Node>::obtain();
    if (!child) return nullptr;
    if (!child->setName(text, length)) {
        child->releaseToPool();
        return nullptr;
    }
    return appendChild(child) ? child : nullptr;
}

bool Node::appendChild(IXml* child) {
    if (!child) return false;
    Node* node = static_cast<Node*>(child);
    if (m_children.add(node)) return true;
    node->releaseToPool();
    return false;
}

void Node::removeChildAt(uint32_t i) {
    if (i >= m_children.count()) return;
    Node* child = childAt(i);
    m_children.removeAt(i);
    child->releaseToPool();
}

int32_t Node::findChild(const wchar_t* text, int32_t length) const {
    for (uint32_t i = 0; i < m_children.count(); ++i)
        if (childAt(i)->nameEquals(text, length)) return static_cast<int32_t>(i);
    return -1;
}

Node* Node::childByName(const wchar_t* text, int32_t length) const {
    const int32_t i = findChild(text, length);
    return i < 0 ? nullptr : childAt(static_cast<uint32_t>(i));
}

bool Node::findAttribute(const wchar_t* name, uint32_t* index) const { return m_attributes.find(name, -1, index); }

bool Node::addAttribute(const wchar_t* name, const wchar_t* value, int32_t valueLength) {
    return m_attributes.add(name, -1, value, valueLength);
}

s::base::IObject* Node::newInstance() const { return s::thread::Pool<Node>::obtain(); }

void Node::releaseToPool() { s::thread::Pool<Node>::release(this); }

}  // namespace s::xml
