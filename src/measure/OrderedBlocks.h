#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace pelmar {

// The steps a block of work goes through. `worker` numbers the thread (0 is the calling one),
// so each thread can keep its own engine.
template <typename Block>
struct TBlockSteps {
    // Calling thread, in order: fills the next block (a recycled one: clear what it holds);
    // false when there is none.
    std::function<bool(Block&)> produce;
    // Any thread, in any order: the work that needs only the block itself.
    std::function<void(Block&, int worker)> prepare;
    // One block at a time, in order, after its prepare: hands on what one block passes to the
    // next. Keep it cheap; it runs under the scheduler's lock.
    std::function<void(Block&)> link;
    // Any thread, after the block's link.
    std::function<void(Block&, int worker)> finish;
    // Calling thread, in order, after the block's finish.
    std::function<void(Block&)> consume;
};

// Runs blocks through their steps on up to `jobs` threads, the calling thread included. At
// most a few blocks per thread are in flight, so memory stays bounded whatever the input, and
// consume sees the blocks in the order produce made them. With one job everything runs on the
// calling thread, block after block.
template <typename Block>
void RunOrderedBlocks(int jobs, const TBlockSteps<Block>& steps) {
    if (jobs <= 1) {
        Block block;
        while (steps.produce(block)) {
            steps.prepare(block, 0);
            steps.link(block);
            steps.finish(block, 0);
            steps.consume(block);
        }
        return;
    }

    struct Slot {
        std::unique_ptr<Block> block;
        bool prepared = false;
        bool finished = false;
    };
    std::mutex mutex;
    std::condition_variable changed;
    std::deque<Slot> window; // the blocks in flight, oldest first
    std::vector<std::unique_ptr<Block>> spare;
    // Block numbers: the oldest in flight, the next to prepare, the first not yet linked, the
    // next to finish.
    std::size_t base = 0, prepareNext = 0, linked = 0, finishNext = 0;
    bool inputDone = false, stop = false;
    const std::size_t capacity = 3 * static_cast<std::size_t>(jobs);
    auto slot = [&](std::size_t n) -> Slot& { return window[n - base]; };

    // One step of work for any thread, with the lock held; false when there is none.
    auto work = [&](std::unique_lock<std::mutex>& lock, int worker) {
        if (finishNext < linked) {
            const std::size_t n = finishNext++;
            Block& block = *slot(n).block;
            lock.unlock();
            steps.finish(block, worker);
            lock.lock();
            slot(n).finished = true;
            changed.notify_all();
            return true;
        }
        if (prepareNext < base + window.size()) {
            const std::size_t n = prepareNext++;
            Block& block = *slot(n).block;
            lock.unlock();
            steps.prepare(block, worker);
            lock.lock();
            slot(n).prepared = true;
            while (linked < base + window.size() && slot(linked).prepared)
                steps.link(*slot(linked++).block);
            changed.notify_all();
            return true;
        }
        return false;
    };

    std::vector<std::thread> threads;
    for (int w = 1; w < jobs; ++w) {
        threads.emplace_back([&, w] {
            std::unique_lock lock(mutex);
            while (!stop) {
                if (!work(lock, w))
                    changed.wait(lock);
            }
        });
    }
    std::unique_lock lock(mutex);
    for (;;) {
        if (!inputDone && window.size() < capacity) {
            std::unique_ptr<Block> block;
            if (spare.empty()) {
                block = std::make_unique<Block>();
            } else {
                block = std::move(spare.back());
                spare.pop_back();
            }
            lock.unlock();
            const bool more = steps.produce(*block);
            lock.lock();
            if (more) {
                window.push_back(Slot{std::move(block)});
                changed.notify_all();
            } else {
                inputDone = true;
            }
            continue;
        }
        if (!window.empty() && window.front().finished) {
            Block& block = *window.front().block;
            lock.unlock();
            steps.consume(block);
            lock.lock();
            spare.push_back(std::move(window.front().block));
            window.pop_front();
            ++base;
            continue;
        }
        if (inputDone && window.empty())
            break;
        if (!work(lock, 0))
            changed.wait(lock);
    }
    stop = true;
    changed.notify_all();
    lock.unlock();
    for (std::thread& thread : threads)
        thread.join();
}

} // namespace pelmar
