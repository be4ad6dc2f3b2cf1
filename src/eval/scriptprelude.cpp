#include "scriptprelude.h"

namespace Eval {

// Run once per engine. Returns the function that evaluates one program text.
//
// Isolation: every object reachable from the global object is frozen, so a program cannot
// change a built-in for the next one. Three things keep ordinary programs working as in a
// fresh engine despite the freezing:
// - the program runs through a direct eval inside a function created by Function(), so its
//   var, let and function declarations are locals of that call and vanish with it;
// - implicit globals ("a=5;a") land in a per-run table behind a proxy that sits in the
//   global object's prototype chain; the proxy also reports unknown names as ReferenceError,
//   because the engine asks it for a value without asking whether the name exists;
// - writable properties of prototypes become accessors whose setter gives the assigning
//   object its own property, since assigning over a frozen inherited property is ignored
//   (o.toString = f, C.prototype.toString = f).
// RegExp's legacy statics ($1, lastMatch, ...) would carry the last match over and are
// removed; Promise is removed because its jobs would run later, outside any time limit.
//
// Guards: a few natives run to completion without ever checking for interruption, and on
// huge sizes take minutes or exhaust memory; they refuse sizes beyond 2^24.
//
// Result text: the number texts "1.#INF", "-1.#INF", "-1.#IND"; undefined and null give the
// empty text like a failure; booleans "真" and "假"; anything else its String() form. A thrown
// exception gives null.
QString ScriptPrelude()
{
    return QStringLiteral(R"js(
(function () {
    'use strict';
    var global = Function('return this')();
    var sizeLimit = 16777216;

    ['lastMatch', '$&', '$1', '$2', '$3', '$4', '$5', '$6', '$7', '$8', '$9', 'lastParen', '$+',
     'input', '$_', 'leftContext', '$`', 'rightContext', "$'"].forEach(function (name) {
        delete RegExp[name];
    });
    delete global.Promise;

    function lengthOf(value) {
        return value === null || value === undefined ? 0 : Number(Object(value).length) || 0;
    }
    function guard(home, name, size) {
        var original = home[name];
        var guarded = function () {
            if (size.apply(this, arguments) > sizeLimit)
                throw new RangeError(name + ': size too large');
            return original.apply(this, arguments);
        };
        Object.defineProperty(guarded, 'name', { value: name });
        Object.defineProperty(guarded, 'length', { value: original.length });
        Object.defineProperty(home, name, { value: guarded });
    }
    function thisLength() { return lengthOf(this); }
    guard(String.prototype, 'repeat', function (count) { return String(this).length * count; });
    guard(String.prototype, 'padStart', function (length) { return Number(length); });
    guard(String.prototype, 'padEnd', function (length) { return Number(length); });
    ['join', 'toString', 'toLocaleString', 'fill', 'map', 'forEach', 'filter', 'reduce',
     'reduceRight', 'some', 'every', 'find', 'findIndex', 'indexOf', 'lastIndexOf', 'includes',
     'reverse', 'slice', 'splice', 'copyWithin', 'sort', 'flat', 'flatMap'].forEach(function (name) {
        if (Array.prototype[name])
            guard(Array.prototype, name, thisLength);
    });
    guard(Array.prototype, 'concat', function () {
        var total = lengthOf(this);
        for (var i = 0; i < arguments.length; ++i)
            total += Array.isArray(arguments[i]) ? lengthOf(arguments[i]) : 1;
        return total;
    });
    guard(Array, 'from', function (items) { return lengthOf(items); });
    guard(JSON, 'stringify', function (value) { return Array.isArray(value) ? lengthOf(value) : 0; });

    var reachable = new Set();
    var prototypes = new Set();
    var pending = [global];
    function reach(value) {
        if ((typeof value === 'object' || typeof value === 'function') && value !== null
                && !reachable.has(value)) {
            reachable.add(value);
            pending.push(value);
        }
    }
    reach(global);
    while (pending.length) {
        var object = pending.pop();
        var proto = Object.getPrototypeOf(object);
        if (proto) {
            prototypes.add(proto);
            reach(proto);
        }
        Reflect.ownKeys(object).forEach(function (key) {
            var property = Object.getOwnPropertyDescriptor(object, key);
            if (key === 'prototype' && property.value)
                prototypes.add(property.value);
            reach(property.value);
            reach(property.get);
            reach(property.set);
        });
    }

    function makeOverridable(home, key, property) {
        var value = property.value;
        Object.defineProperty(home, key, {
            get: function () { return value; },
            set: function (newValue) {
                if (this === home || this === null
                        || (typeof this !== 'object' && typeof this !== 'function'))
                    return;
                Reflect.defineProperty(this, key, { value: newValue, writable: true,
                                                    enumerable: true, configurable: true });
            },
            enumerable: property.enumerable,
            configurable: false
        });
    }
    prototypes.forEach(function (home) {
        Reflect.ownKeys(home).forEach(function (key) {
            var property = Object.getOwnPropertyDescriptor(home, key);
            if ('value' in property && property.writable && property.configurable)
                makeOverridable(home, key, property);
        });
    });

    var implicitGlobals = Object.create(null);
    var implicitGlobalsUsed = false;
    var globalBase = Object.freeze(Object.create(Object.getPrototypeOf(global)));
    Object.setPrototypeOf(global, new Proxy(globalBase, {
        has: function (target, key) {
            return key in implicitGlobals || Reflect.has(target, key);
        },
        get: function (target, key, receiver) {
            if (key in implicitGlobals)
                return implicitGlobals[key];
            if (typeof key === 'string' && !Reflect.has(target, key))
                throw new ReferenceError(key + ' is not defined');
            return Reflect.get(target, key, receiver);
        },
        set: function (target, key, value) {
            implicitGlobalsUsed = true;
            implicitGlobals[key] = value;
            return true;
        }
    }));

    reachable.forEach(function (object) { Object.freeze(object); });
    Object.freeze(global);

    var run = Function('return eval(arguments[0])');
    function resultText(value) {
        if (typeof value === 'number') {
            if (value === Infinity)
                return '1.#INF';
            if (value === -Infinity)
                return '-1.#INF';
            if (value !== value)
                return '-1.#IND';
        }
        if (value === undefined || value === null)
            return '';
        if (typeof value === 'boolean')
            return value ? '\u771f' : '\u5047'; // the program's own words for true and false
        return String(value);
    }
    return function (program) {
        if (implicitGlobalsUsed) {
            implicitGlobals = Object.create(null);
            implicitGlobalsUsed = false;
        }
        try {
            return resultText(run(program));
        } catch (error) {
            return null;
        }
    };
})()
)js");
}

} // namespace Eval
