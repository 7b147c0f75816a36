// SPDX-License-Identifier: GPL-3.0-or-later

// Linked into every test of a ThreadSanitizer build. Debian's Qt is not built
// for ThreadSanitizer, so the locks inside its event queues, thread pool and
// semaphores are invisible to it, and every hand-off of our own data from one
// thread to another through them would be reported as a race. These
// definitions stand in front of Qt's own (the program's symbols come first),
// tell ThreadSanitizer of the order that Qt guarantees, and call Qt's.
#include <QMetaObject>
#include <QSemaphore>
#include <QThreadPool>

#include <dlfcn.h>
#include <sanitizer/tsan_interface.h>

#include <cstdio>
#include <cstdlib>

namespace {

template <typename Function> Function real(const char *name)
{
    void *symbol = dlvsym(RTLD_NEXT, name, "Qt_6");
    if (!symbol) {
        std::fprintf(stderr, "QtHandOffs: %s not found in Qt\n", name);
        std::abort();
    }
    return reinterpret_cast<Function>(symbol);
}

// A queued call: what the caller did before posting it happens before the
// call runs, or before it is dropped, on the receiving thread.
class HandedOff : public QtPrivate::QSlotObjectBase {
public:
    explicit HandedOff(QtPrivate::QSlotObjectBase *inner) : QSlotObjectBase(&impl), inner(inner)
    {
        __tsan_release(this);
    }

private:
    static void impl(int which, QSlotObjectBase *self, QObject *receiver, void **args, bool *result)
    {
        auto *that = static_cast<HandedOff *>(self);
        __tsan_acquire(that);
        switch (which) {
        case Destroy:
            that->inner->destroyIfLastRef();
            delete that;
            break;
        case Call:
            that->inner->call(receiver, args);
            // The call may be the last to touch the functor before another
            // thread drops the last reference and destroys it.
            __tsan_release(that);
            break;
        case Compare:
            *result = false;
            break;
        }
    }

    QtPrivate::QSlotObjectBase *inner;
};

} // namespace

bool QMetaObject::invokeMethodImpl(QObject *object, QtPrivate::QSlotObjectBase *slot, Qt::ConnectionType type,
                                   void *ret)
{
    using Invoke = bool (*)(QObject *, QtPrivate::QSlotObjectBase *, Qt::ConnectionType, void *);
    static const auto invoke = real<Invoke>(
        "_ZN11QMetaObject16invokeMethodImplEP7QObjectPN9QtPrivate15QSlotObjectBaseEN2Qt14ConnectionTypeEPv");
    return invoke(object, new HandedOff(slot), type, ret);
}

namespace {

// A task for the pool, posted as a runnable of our own: what the caller did
// before starting it happens before the task runs. The pool's queue is one
// lock, so one address stands for it.
char poolQueue;

class HandedOffTask : public QRunnable {
public:
    explicit HandedOffTask(std::function<void()> task) : task(std::move(task)) { __tsan_release(&poolQueue); }
    void run() override
    {
        __tsan_acquire(&poolQueue);
        task();
    }

private:
    std::function<void()> task;
};

using StartRunnable = void (*)(QThreadPool *, QRunnable *, int);
using TryStartRunnable = bool (*)(QThreadPool *, QRunnable *);

} // namespace

void QThreadPool::start(std::function<void()> functionToRun, int priority)
{
    static const auto start = real<StartRunnable>("_ZN11QThreadPool5startEP9QRunnablei");
    start(this, new HandedOffTask(std::move(functionToRun)), priority);
}

bool QThreadPool::tryStart(std::function<void()> functionToRun)
{
    static const auto tryStart = real<TryStartRunnable>("_ZN11QThreadPool8tryStartEP9QRunnable");
    auto *task = new HandedOffTask(std::move(functionToRun));
    if (tryStart(this, task))
        return true;
    delete task;
    return false;
}

// What a thread did before releasing a semaphore happens before another
// thread's acquiring of it returns.
void QSemaphore::release(int n)
{
    using Release = void (*)(QSemaphore *, int);
    static const auto release = real<Release>("_ZN10QSemaphore7releaseEi");
    __tsan_release(this);
    release(this, n);
}

void QSemaphore::acquire(int n)
{
    using Acquire = void (*)(QSemaphore *, int);
    static const auto acquire = real<Acquire>("_ZN10QSemaphore7acquireEi");
    acquire(this, n);
    __tsan_acquire(this);
}
