// A growable array of plain values for the grid's columns. Its memory is mapped from the system
// and grown by remapping (on Linux the kernel moves the pages, nothing is copied), so a column
// never copies its values as it grows, and a large column sits in huge pages, which keeps the
// page faults of a first fill few.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string_view>
#include <type_traits>
#include <utility>

// Maps, grows (keeping the contents) or frees a block of `despues` bytes that had `antes`.
void* RemapeaBloque(void* bloque, std::size_t antes, std::size_t despues);
// Takes the pages of a part about to be written in one call instead of one fault each.
void PueblaBloque(void* desde, std::size_t bytes) noexcept;
void LiberaBloque(void* bloque, std::size_t bytes) noexcept;
// The granularity of the blocks' sizes.
std::size_t PaginaBloque();

template <class T> class BloqueCreciente {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    BloqueCreciente() = default;
    ~BloqueCreciente() { LiberaBloque(p_, cap_ * sizeof(T)); }
    BloqueCreciente(const BloqueCreciente&) = delete;
    BloqueCreciente& operator=(const BloqueCreciente&) = delete;
    BloqueCreciente(BloqueCreciente&& o) noexcept
        : p_(std::exchange(o.p_, nullptr)), n_(std::exchange(o.n_, 0)),
          limite_(std::exchange(o.limite_, 0)), cap_(std::exchange(o.cap_, 0)) {}
    BloqueCreciente& operator=(BloqueCreciente&& o) noexcept {
        std::swap(p_, o.p_);
        std::swap(n_, o.n_);
        std::swap(limite_, o.limite_);
        std::swap(cap_, o.cap_);
        return *this;
    }

    std::size_t size() const { return n_; }
    bool empty() const { return n_ == 0; }
    T* data() { return p_; }
    const T* data() const { return p_; }
    T* begin() { return p_; }
    T* end() { return p_ + n_; }
    const T* begin() const { return p_; }
    const T* end() const { return p_ + n_; }
    T& operator[](std::size_t i) { return p_[i]; }
    const T& operator[](std::size_t i) const { return p_[i]; }

    void push_back(T v) {
        if (n_ == limite_)
            Avanza(n_ + 1);
        p_[n_++] = v;
    }
    void append(const T* datos, std::size_t k) {
        if (n_ + k > limite_)
            Avanza(n_ + k);
        if (k)
            std::memcpy(p_ + n_, datos, k * sizeof(T));
        n_ += k;
    }
    template <class U = T, class = std::enable_if_t<std::is_same_v<U, char>>>
    void append(std::string_view texto) {
        append(texto.data(), texto.size());
    }
    void reserve(std::size_t k) {
        if (k > cap_)
            Reubica(k);
    }
    void resize(std::size_t k) {
        reserve(k);
        if (k > n_)
            std::memset(static_cast<void*>(p_ + n_), 0, (k - n_) * sizeof(T));
        n_ = k;
        limite_ = limite_ < k ? k : limite_;
    }
    void assign(std::size_t k, T v) {
        reserve(k);
        for (std::size_t i = 0; i < k; ++i)
            p_[i] = v;
        n_ = k;
        limite_ = limite_ < k ? k : limite_;
    }
    void clear() { n_ = 0; }

private:
    // Past the pages already taken: more room when the block is full (doubling keeps the
    // remaps logarithmic), then the next eighth of the block's
    // pages taken at once, so at most that much waits unused.
    void Avanza(std::size_t minimo) {
        if (minimo > cap_) {
            // The first room is 64 KB of address space; only the pages written are taken.
            const std::size_t cap = cap_ ? cap_ * 2 : (std::size_t(64) << 10) / sizeof(T);
            Reubica(cap < minimo ? minimo : cap);
        }
        const std::size_t paso = std::max(cap_ / 8, PaginaBloque() / sizeof(T));
        const std::size_t hasta = std::min(cap_, std::max(minimo, limite_ + paso));
        PueblaBloque(p_ + limite_, (hasta - limite_) * sizeof(T));
        limite_ = hasta;
    }
    void Reubica(std::size_t cap) {
        const std::size_t pagina = PaginaBloque();
        const std::size_t bytes = (cap * sizeof(T) + pagina - 1) / pagina * pagina;
        p_ = static_cast<T*>(RemapeaBloque(p_, cap_ * sizeof(T), bytes));
        cap_ = bytes / sizeof(T);
    }

    T* p_ = nullptr;
    std::size_t n_ = 0;
    std::size_t limite_ = 0; // elements whose pages are taken (no fault when written)
    std::size_t cap_ = 0;
};
