#pragma once

#include <exception>
#include <functional>
#include <thread>
#include <utility>

// A task on a thread of its own, joined whatever the way out. What it throws
// is thrown on by attendi.
class in_parallelo {
public:
    explicit in_parallelo(std::function<void()> compito) {
        thread_ = std::thread([this, compito = std::move(compito)] {
            try {
                compito();
            } catch (...) {
                errore_ = std::current_exception();
            }
        });
    }
    in_parallelo(const in_parallelo&) = delete;
    in_parallelo& operator=(const in_parallelo&) = delete;
    ~in_parallelo() {
        if (thread_.joinable()) thread_.join();
    }

    void attendi() {
        if (thread_.joinable()) thread_.join();
        if (errore_) std::rethrow_exception(std::exchange(errore_, nullptr));
    }

private:
    std::thread thread_;
    std::exception_ptr errore_;
};
