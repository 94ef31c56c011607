// 贪吃蛇: arrow keys or WASD steer, Space restarts. Speed grows with the level.
(function () {
    var canvas = document.getElementById('game');
    var ctx = canvas.getContext('2d');
    var cell = 20, cols = Math.floor(canvas.width / cell), rows = Math.floor(canvas.height / cell);
    var level = parseInt(canvas.getAttribute('data-level') || '1', 10) || 1;
    var snake, dir, next, food, score, over, timer;

    function placeFood() {
        do {
            food = { x: Math.floor(Math.random() * cols), y: Math.floor(Math.random() * rows) };
        } while (snake.some(function (p) { return p.x === food.x && p.y === food.y; }));
    }

    function reset() {
        snake = [{ x: 5, y: 5 }, { x: 4, y: 5 }, { x: 3, y: 5 }];
        dir = next = { x: 1, y: 0 };
        score = 0;
        over = false;
        placeFood();
        clearInterval(timer);
        timer = setInterval(step, Math.max(60, 160 - level * 12));
    }

    function step() {
        if (over) return;
        dir = next;
        var head = { x: snake[0].x + dir.x, y: snake[0].y + dir.y };
        var hit = head.x < 0 || head.y < 0 || head.x >= cols || head.y >= rows ||
            snake.some(function (p) { return p.x === head.x && p.y === head.y; });
        if (hit) { over = true; draw(); return; }
        snake.unshift(head);
        if (head.x === food.x && head.y === food.y) { score += 10; placeFood(); } else { snake.pop(); }
        draw();
    }

    function draw() {
        ctx.fillStyle = '#111';
        ctx.fillRect(0, 0, canvas.width, canvas.height);
        ctx.fillStyle = '#e74c3c';
        ctx.fillRect(food.x * cell + 2, food.y * cell + 2, cell - 4, cell - 4);
        snake.forEach(function (p, i) {
            ctx.fillStyle = i === 0 ? '#2ecc71' : '#27ae60';
            ctx.fillRect(p.x * cell + 1, p.y * cell + 1, cell - 2, cell - 2);
        });
        ctx.fillStyle = '#fff';
        ctx.font = '16px sans-serif';
        ctx.fillText('得分 ' + score, 10, 20);
        if (over) {
            ctx.font = '28px sans-serif';
            ctx.fillText('游戏结束，按空格重来', canvas.width / 2 - 140, canvas.height / 2);
        }
    }

    var keys = { ArrowUp: [0, -1], ArrowDown: [0, 1], ArrowLeft: [-1, 0], ArrowRight: [1, 0],
                 w: [0, -1], s: [0, 1], a: [-1, 0], d: [1, 0] };
    document.addEventListener('keydown', function (e) {
        if (e.key === ' ') { reset(); e.preventDefault(); return; }
        var k = keys[e.key];
        if (!k || (k[0] === -dir.x && k[1] === -dir.y)) return;
        next = { x: k[0], y: k[1] };
        e.preventDefault();
    });
    canvas.addEventListener('click', function (e) {
        // Clicks turn towards the pointer, for play without a keyboard.
        var r = canvas.getBoundingClientRect();
        var dx = e.clientX - r.left - (snake[0].x + 0.5) * cell * r.width / canvas.width;
        var dy = e.clientY - r.top - (snake[0].y + 0.5) * cell * r.height / canvas.height;
        var k = Math.abs(dx) > Math.abs(dy) ? [dx > 0 ? 1 : -1, 0] : [0, dy > 0 ? 1 : -1];
        if (k[0] !== -dir.x || k[1] !== -dir.y) next = { x: k[0], y: k[1] };
    });
    reset();
    draw();
})();
