// 弹球打砖块: the mouse or the arrow keys move the paddle, Space restarts.
(function () {
    var canvas = document.getElementById('game');
    var ctx = canvas.getContext('2d');
    var W = canvas.width, H = canvas.height;
    var level = parseInt(canvas.getAttribute('data-level') || '1', 10) || 1;
    var paddle, ball, bricks, score, state, keys = {};

    function reset() {
        paddle = { x: W / 2 - 45, w: 90, h: 10 };
        ball = { x: W / 2, y: H - 60, vx: 3, vy: -3 - level * 0.3, r: 7 };
        bricks = [];
        var cols = 8, rowCount = Math.min(3 + level, 7), bw = (W - 40) / cols;
        for (var r = 0; r < rowCount; r++) {
            for (var c = 0; c < cols; c++) bricks.push({ x: 20 + c * bw, y: 40 + r * 22, w: bw - 4, h: 18, hue: r * 40 });
        }
        score = 0;
        state = 'play';
    }

    function update() {
        if (state !== 'play') return;
        if (keys.ArrowLeft) paddle.x -= 7;
        if (keys.ArrowRight) paddle.x += 7;
        paddle.x = Math.max(0, Math.min(W - paddle.w, paddle.x));
        ball.x += ball.vx;
        ball.y += ball.vy;
        if (ball.x < ball.r || ball.x > W - ball.r) ball.vx = -ball.vx;
        if (ball.y < ball.r) ball.vy = -ball.vy;
        var py = H - 30;
        if (ball.vy > 0 && ball.y + ball.r >= py && ball.y + ball.r <= py + paddle.h + 6 &&
            ball.x >= paddle.x && ball.x <= paddle.x + paddle.w) {
            ball.vy = -Math.abs(ball.vy);
            ball.vx = ((ball.x - (paddle.x + paddle.w / 2)) / (paddle.w / 2)) * 5;
        }
        for (var i = 0; i < bricks.length; i++) {
            var b = bricks[i];
            if (ball.x > b.x && ball.x < b.x + b.w && ball.y - ball.r < b.y + b.h && ball.y + ball.r > b.y) {
                bricks.splice(i, 1);
                ball.vy = -ball.vy;
                score += 10;
                break;
            }
        }
        if (!bricks.length) state = 'won';
        if (ball.y > H + ball.r) state = 'lost';
    }

    function draw() {
        ctx.fillStyle = '#111';
        ctx.fillRect(0, 0, W, H);
        bricks.forEach(function (b) {
            ctx.fillStyle = 'hsl(' + b.hue + ',70%,55%)';
            ctx.fillRect(b.x, b.y, b.w, b.h);
        });
        ctx.fillStyle = '#ecf0f1';
        ctx.fillRect(paddle.x, H - 30, paddle.w, paddle.h);
        ctx.beginPath();
        ctx.arc(ball.x, ball.y, ball.r, 0, Math.PI * 2);
        ctx.fill();
        ctx.font = '16px sans-serif';
        ctx.fillText('得分 ' + score, 10, 22);
        if (state !== 'play') {
            ctx.font = '28px sans-serif';
            ctx.fillText(state === 'won' ? '过关！按空格再来' : '失败了，按空格重来', W / 2 - 130, H / 2);
        }
    }

    function frame() {
        update();
        draw();
        requestAnimationFrame(frame);
    }

    document.addEventListener('keydown', function (e) {
        keys[e.key] = true;
        if (e.key === ' ') { reset(); e.preventDefault(); }
    });
    document.addEventListener('keyup', function (e) { keys[e.key] = false; });
    canvas.addEventListener('mousemove', function (e) {
        var r = canvas.getBoundingClientRect();
        paddle.x = (e.clientX - r.left) * W / r.width - paddle.w / 2;
    });
    reset();
    frame();
})();
