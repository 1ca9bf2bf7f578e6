#pragma once

#include "plan/MathObjects.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace orvanta::test {

// Math-module objects for tests, built from plain functions.
class TFakeAdden : public TAdden {
public:
    TFakeAdden(std::string name, std::int32_t needed, std::function<double(const double*)> fn,
               std::string coefName = {})
        : Name(std::move(name)), CoefName(coefName.empty() ? "b" + Name : std::move(coefName)),
          Needed(needed), Fn(std::move(fn)) {}
    std::string GetText() const override { return "b*" + Name; }
    std::string GetName() const override { return Name; }
    std::string GetCoefName() const override { return CoefName; }
    std::int32_t NeededFactors() const override { return Needed; }
    double Evaluate(const double* x) const override { return Fn(x); }

private:
    std::string Name;
    std::string CoefName;
    std::int32_t Needed;
    std::function<double(const double*)> Fn;
};

// A model whose evaluation is the sum of its terms times the coefficients.
class TFakeModel : public TModel {
public:
    TFakeModel(std::string name, std::int32_t dimension, std::vector<const TAdden*> addens)
        : Name(std::move(name)), Dimension(dimension), Terms(std::move(addens)) {}
    std::string GetName() const override { return Name; }
    std::int32_t RequiredDimension() const override { return Dimension; }
    std::int32_t AddenCount() const override { return static_cast<std::int32_t>(Terms.size()); }
    const TAdden* GetAdden(std::int32_t j) const override {
        return Terms[static_cast<std::size_t>(j)];
    }
    double Evaluate(const double* x, const double* b) const override {
        double sum = 0.0;
        for (std::size_t j = 0; j < Terms.size(); ++j)
            sum += b[j] * Terms[j]->Evaluate(x);
        return sum;
    }

private:
    std::string Name;
    std::int32_t Dimension;
    std::vector<const TAdden*> Terms;
};

// A generator that writes a fixed table of rows.
class TFakeGenerator : public TGenerator {
public:
    TFakeGenerator(std::string name, std::vector<std::vector<double>> rows,
                   const TModel* model = nullptr)
        : Name(std::move(name)), Rows(std::move(rows)), Default(model) {}
    std::string GetName() const override { return Name; }
    void GetSize(std::int32_t& rows, std::int32_t& cols) const override {
        rows = static_cast<std::int32_t>(Rows.size());
        cols = Rows.empty() ? 0 : static_cast<std::int32_t>(Rows[0].size());
    }
    void Fill(double** rows) const override {
        for (std::size_t i = 0; i < Rows.size(); ++i)
            for (std::size_t j = 0; j < Rows[i].size(); ++j)
                rows[i][j] = Rows[i][j];
    }
    const TModel* DefaultModel() const override { return Default; }

private:
    std::string Name;
    std::vector<std::vector<double>> Rows;
    const TModel* Default;
};

// A registry over objects the test owns.
class TFakeCatalog : public TMathCatalog {
public:
    std::vector<const TAdden*> AddenList;
    std::vector<const TModel*> ModelList;
    std::vector<const TGenerator*> GeneratorList;

    std::int32_t AddenCount() const override { return Count(AddenList); }
    std::int32_t ModelCount() const override { return Count(ModelList); }
    std::int32_t GenCount() const override { return Count(GeneratorList); }
    const TAdden* Adden(std::int32_t i) const override { return AddenList.at(Index(i)); }
    const TModel* Model(std::int32_t i) const override { return ModelList.at(Index(i)); }
    const TGenerator* Generator(std::int32_t i) const override {
        return GeneratorList.at(Index(i));
    }
    std::int32_t AddenByName(const std::string& name) const override {
        return Find(AddenList, name);
    }
    std::int32_t ModelByName(const std::string& name) const override {
        return Find(ModelList, name);
    }
    std::int32_t GenByName(const std::string& name) const override {
        return Find(GeneratorList, name);
    }

private:
    template <class T> static std::int32_t Count(const std::vector<T>& list) {
        return static_cast<std::int32_t>(list.size());
    }
    static std::size_t Index(std::int32_t i) { return static_cast<std::size_t>(i); }
    template <class T>
    static std::int32_t Find(const std::vector<T>& list, const std::string& name) {
        for (std::size_t i = 0; i < list.size(); ++i)
            if (list[i]->GetName() == name)
                return static_cast<std::int32_t>(i);
        return -1;
    }
};

} // namespace orvanta::test
