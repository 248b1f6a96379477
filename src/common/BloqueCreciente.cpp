// Memory of the grid's columns.
#include "common/BloqueCreciente.h"

#include <cstdint>
#include <cstdlib>
#include <new>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

std::size_t PaginaBloque() {
#ifdef __linux__
    static const std::size_t pagina = std::size_t(sysconf(_SC_PAGESIZE));
    return pagina;
#else
    return 4096;
#endif
}

void* RemapeaBloque(void* bloque, std::size_t antes, std::size_t despues) {
#ifdef __linux__
    // From 2 MB on, a block is asked in huge pages where the system offers them.
    constexpr std::size_t kGrande = std::size_t(2) << 20;
    void* p =
        bloque ? mremap(bloque, antes, despues, MREMAP_MAYMOVE)
               : mmap(nullptr, despues, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED)
        throw std::bad_alloc();
#ifdef MADV_HUGEPAGE
    if (despues >= kGrande)
        madvise(p, despues, MADV_HUGEPAGE);
#endif
    return p;
#else
    (void)antes;
    void* p = std::realloc(bloque, despues);
    if (!p)
        throw std::bad_alloc();
    return p;
#endif
}

void PueblaBloque(void* desde, std::size_t bytes) noexcept {
#if defined(__linux__) && defined(MADV_POPULATE_WRITE)
    // Only whole pages inside the block; a failure (an older kernel) leaves the faults to come.
    const std::size_t pagina = PaginaBloque();
    const auto inicio = reinterpret_cast<std::uintptr_t>(desde) / pagina * pagina;
    const auto fin = reinterpret_cast<std::uintptr_t>(desde) + bytes;
    if (bytes > 0)
        madvise(reinterpret_cast<void*>(inicio), fin - inicio, MADV_POPULATE_WRITE);
#else
    (void)desde;
    (void)bytes;
#endif
}

void LiberaBloque(void* bloque, std::size_t bytes) noexcept {
    if (!bloque)
        return;
#ifdef __linux__
    munmap(bloque, bytes);
#else
    (void)bytes;
    std::free(bloque);
#endif
}
