// Watches the heap while a piece of code runs: the largest single allocation and the bytes
// allocated in all. The limit tests use it to show that a huge line or a huge file is never
// copied whole for each line.
#pragma once

#include <cstddef>

namespace orvandel::teste {

// Counts from zero while it lives; one at a time.
class MedidorAlocacao {
  public:
    MedidorAlocacao();
    ~MedidorAlocacao();
    MedidorAlocacao(const MedidorAlocacao&) = delete;
    MedidorAlocacao& operator=(const MedidorAlocacao&) = delete;

    size_t maior() const;
    size_t total() const;
};

} // namespace orvandel::teste
