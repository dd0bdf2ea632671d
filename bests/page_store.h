// The bests in a browser: the page's own storage for its site (localStorage),
// the table and each recording under names of their own. A private window's
// storage refused, or one that is full, says so once.
#pragma once

#include "bests/keeper.h"

class PageStore : public Store {
  public:
    Found read(const std::string& name, std::size_t limit, std::string& text) override;
    bool write(const std::string& name, const std::string& text, std::string& why) override;
    void remove(const std::string& name) override;
    std::string setAside(const std::string& name) override;
    std::string where(const std::string& name) const override;
    void later(std::function<void()> work) override;
};
