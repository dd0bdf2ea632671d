#include "bests/page_store.h"

#include <emscripten/emscripten.h>

#include <limits>
#include <memory>

namespace {

// The stored text's length in bytes, -1 when there is none.
EM_JS(int, storedLength, (const char* key), {
    try {
        const text = localStorage.getItem(UTF8ToString(key));
        return text == null ? -1 : lengthBytesUTF8(text);
    } catch (error) {
        return -2;
    }
});
EM_JS(void, storedText, (const char* key, char* into, int size),
      { stringToUTF8(localStorage.getItem(UTF8ToString(key)), into, size); });
// 0 once stored; -2 or -3 if not.
EM_JS(int, storeText, (const char* key, const char* text), {
    try {
        localStorage.setItem(UTF8ToString(key), UTF8ToString(text));
        return 0;
    } catch (error) {
        return error.name == "QuotaExceededError" ? -3 : -2;
    }
});
EM_JS(void, removeStored, (const char* key), {
    try {
        localStorage.removeItem(UTF8ToString(key));
    } catch (error) {
    }
});

std::string keyOf(const std::string& name) { return "gorvath/" + name; }

const char* refusal(int code) {
    return code == -3 ? "it is full" : "it is refused (as in a private window, or with storage turned off)";
}

} // namespace

Store::Found PageStore::read(const std::string& name, std::size_t limit, std::string& text) {
    const int length = storedLength(keyOf(name).c_str());
    if (length == -1) {
        return Found::Nothing;
    }
    if (length < -1) {
        text = refusal(length);
        return Found::Refused;
    }
    if (static_cast<std::size_t>(length) > limit) {
        text = "larger than any could be";
        return Found::Broken;
    }
    text.resize(static_cast<std::size_t>(length) + 1);
    storedText(keyOf(name).c_str(), text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return Found::Text;
}

bool PageStore::write(const std::string& name, const std::string& text, std::string& why) {
    const int stored = storeText(keyOf(name).c_str(), text.c_str());
    if (stored != 0) {
        why = refusal(stored);
    }
    return stored == 0;
}

void PageStore::remove(const std::string& name) { removeStored(keyOf(name).c_str()); }

std::string PageStore::setAside(const std::string& name) {
    const std::string aside = name + ".broken-" + dateNow();
    std::string text, why;
    if (read(name, std::numeric_limits<std::size_t>::max(), text) != Found::Text ||
        !write(aside, text, why)) {
        return keyOf(name) + " (it could not be moved: left as it is)";
    }
    remove(name);
    return keyOf(aside);
}

void PageStore::later(std::function<void()> work) {
    emscripten_async_call(
        [](void* work) {
            const std::unique_ptr<std::function<void()>> run(static_cast<std::function<void()>*>(work));
            (*run)();
        },
        new std::function<void()>(std::move(work)), 0);
}

std::string PageStore::where(const std::string& name) const {
    return name.empty() ? "this page's storage" : "this page's storage, as " + keyOf(name);
}
