// s/system/codepage/CodePage.cpp
#include "s/system/codepage/CodePage.h"

#include "s/thread/Pool.h"

namespace s::system::codepage {

s::base::IObject* CodePage::newInstance() const { return s::thread::Pool<CodePage>::obtain(); }

void CodePage::releaseToPool() { s::thread::Pool<CodePage>::release(this); }

void CodePage::resetForReuse() {
    m_number = 0;
    m_name.freeBuffer();
}

CodePage* newCodePage(int32_t number, const wchar_t* name) {
    CodePage* page = s::thread::Pool<CodePage>::obtain();
    if (!page) return nullptr;
    page->setNumber(number);
    if (page->name().setText(name)) return page;
    page->releaseToPool();
    return nullptr;
}

}  // namespace s::system::codepage
