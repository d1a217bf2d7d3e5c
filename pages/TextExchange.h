#pragma once
// Setting an edit's text makes the edit report a change, synchronously, to the page that
// set it. While the page exchanges texts with its edits it must take those reports for its
// own and write nothing; this flag says when that is.

#include <utility>

namespace zelora {

class TextExchange {
public:
    bool Busy() const { return m_busy; }

    // Runs `exchange` with the flag raised; nested runs leave it raised until the outer
    // one ends, and an exception cannot leave it stuck.
    template <class Exchange>
    void Run(Exchange&& exchange)
    {
        Scope scope(m_busy);
        std::forward<Exchange>(exchange)();
    }

private:
    class Scope {
    public:
        explicit Scope(bool& busy) : m_flag(busy), m_previous(busy) { m_flag = true; }
        ~Scope() { m_flag = m_previous; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

    private:
        bool& m_flag;
        bool m_previous;
    };

    bool m_busy = false;
};

}  // namespace zelora
