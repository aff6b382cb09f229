#ifndef BASE_CSINGLETON_H
#define BASE_CSINGLETON_H

#include <atomic>
#include <memory>
#include <mutex>

namespace Base {

// Process-wide single instance of T, created on first use and deleted at exit.
// T derives from CSingleton<T>; its constructor must not call instance() itself
// (the creation mutex is not recursive).
template <typename T>
class CSingleton
{
public:
    static T *instance()
    {
        Holder &holder = state();
        // Fast path: once created the instance never changes, so no lock is needed.
        if (T *existing = holder.pointer.load(std::memory_order_acquire))
            return existing;

        std::lock_guard<std::mutex> lock(holder.mutex);
        T *created = holder.pointer.load(std::memory_order_relaxed);
        if (!created) {
            // A throwing constructor leaves the holder empty; a later call tries again.
            holder.owner.reset(new T);
            created = holder.owner.get();
            holder.pointer.store(created, std::memory_order_release);
        }
        return created;
    }

protected:
    CSingleton() = default;
    ~CSingleton() = default;

private:
    struct Holder
    {
        std::unique_ptr<T> owner;
        std::atomic<T *> pointer{nullptr};
        std::mutex mutex;
    };

    // A function-local static gives the thread-safe one-time initialisation.
    static Holder &state()
    {
        static Holder holder;
        return holder;
    }
};

} // namespace Base

#endif
